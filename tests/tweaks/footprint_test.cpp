// The footprint table is complete: Apply, Defaults and the probe run that follows change nothing
// but the keys and values it lists, and the keys on the way to them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/ascii_case.h"
#include "regfile/registry_difference.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "support/owned_state.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark::testing {
namespace {

struct Line {
  std::vector<std::string> key;  // the root's name first
  bool about_value = false;
  std::string value;
};

// "+ [HKEY_CURRENT_USER\Control Panel\Mouse] "MouseHoverTime"="50"" and the like.
Line Parse(const std::string& text) {
  Line line;
  const std::size_t close = text.find(']');
  line.key = PathNames(text.substr(3, close - 3).c_str());
  std::string rest = text.substr(close + 1);
  if (rest.empty()) return line;
  line.about_value = true;
  if (rest[1] == '@') return line;
  for (std::size_t i = 2; i < rest.size() && rest[i] != '"'; ++i) {
    if (rest[i] == '\\') ++i;
    line.value += rest[i];
  }
  return line;
}

bool Below(const std::vector<std::string>& key, const std::vector<std::string>& owned) {
  if (key.size() < owned.size()) return false;
  for (std::size_t i = 0; i < owned.size(); ++i) {
    if (!EqualsNoCase(key[i], owned[i])) return false;
  }
  return true;
}

std::vector<std::string> Full(const FootprintItem& item) {
  std::vector<std::string> names{std::string(RootName(item.root))};
  for (const std::string& name : PathNames(item.key)) names.push_back(name);
  return names;
}

bool Owned(const Line& line) {
  for (const FootprintItem& item : OwnedFootprint()) {
    const std::vector<std::string> key = Full(item);
    if (item.value == nullptr && Below(line.key, key)) return true;
    if (line.about_value && item.value != nullptr && line.key.size() == key.size() &&
        Below(line.key, key) && EqualsNoCase(line.value, item.value)) {
      return true;
    }
    // A key made on the way to something owned.
    if (!line.about_value && line.key.size() <= key.size() && Below(key, line.key)) return true;
  }
  return false;
}

TEST(Footprint, EveryOperationChangesOnlyWhatTheTweaksOwn) {
  const std::function<void(EngineHarness&)> operations[] = {
      [](EngineHarness& h) { h.TickExactly("xxxxxxxxxxxxxx"), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.TickExactly(".............."), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.TickExactly("x.x.x.x.x.x.x."), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.TickExactly(".x.x.x.x.x.x.x"), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.engine.WriteSystemDefaults(); },
  };
  int lines_seen = 0;
  for (const char* state : {kFreshWindows7, kOddTweaks, kScriptHeader}) {
    for (const auto& operation : operations) {
      EngineHarness harness(state);
      const MemoryRegistry before = LoadSnapshot(state);
      try {
        operation(harness);
        harness.engine.ProbeAll();
      } catch (const ERegistryException&) {
        // Defaults stops where a key it does not make is missing; what it did so far counts.
      }
      for (const std::string& text : RegistryDifference(before, harness.registry)) {
        EXPECT_TRUE(Owned(Parse(text))) << text;
        ++lines_seen;
      }
    }
  }
  EXPECT_GT(lines_seen, 100);
}

}  // namespace
}  // namespace quillmark::testing
