// Every combination of ticks: Apply, then the probe run reads every row back as it was ticked,
// and applying the same boxes again changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "support/engine_harness.h"
#include "support/fixtures.h"

namespace quillmark::testing {
namespace {

struct Fixture {
  const char* name;
  const char* script;
};

class ApplyRoundTrip : public ::testing::TestWithParam<Fixture> {};

TEST_P(ApplyRoundTrip, EveryCombinationReadsBackAndAppliesIdempotently) {
  int mismatches = 0;
  for (unsigned mask = 0; mask < (1u << 14) && mismatches < 5; ++mask) {
    EngineHarness harness(GetParam().script);
    harness.TickMask(mask);
    const std::string ticked = harness.list.Boxes();
    harness.engine.SetTweaks();
    const std::string once = harness.Snapshot();
    harness.engine.ProbeAll();
    if (harness.list.Boxes() != ticked) {
      ADD_FAILURE() << "applied " << ticked << ", read back " << harness.list.Boxes();
      ++mismatches;
      continue;
    }
    harness.engine.SetTweaks();
    if (harness.Snapshot() != once) {
      ADD_FAILURE() << "applying " << ticked << " twice changed the registry";
      ++mismatches;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ApplyRoundTrip,
                         ::testing::Values(Fixture{"Empty", kScriptHeader},
                                           Fixture{"FreshWindows7", kFreshWindows7}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmark::testing
