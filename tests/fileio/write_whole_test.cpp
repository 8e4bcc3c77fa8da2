// A block through a write call that takes part of it, or refuses, at chosen calls.
#include "fileio/write_whole.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

// What one call does: takes up to this many bytes, or fails.
struct Step {
  std::uint32_t takes;
  bool fails = false;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  bool result;
  std::uint32_t written;
  std::vector<std::uint32_t> offered;  // the size each call was offered
};

class WriteWholeTest : public ::testing::TestWithParam<Case> {};

TEST_P(WriteWholeTest, OffersTheRestUntilAllWentOrACallFailsOrTakesNothing) {
  const Case& c = GetParam();
  const std::string block = "0123456789";
  std::string received;
  std::vector<std::uint32_t> offered;
  std::size_t call = 0;
  const auto write_some = [&](const char* next, std::uint32_t left, std::uint32_t* done) {
    offered.push_back(left);
    if (call >= c.steps.size()) ADD_FAILURE() << "called after the scripted calls";
    const Step step = call < c.steps.size() ? c.steps[call] : Step{0};
    ++call;
    if (step.fails) return false;
    *done = step.takes < left ? step.takes : left;
    received.append(next, *done);
    return true;
  };
  std::uint32_t written = 99;
  EXPECT_EQ(WriteWhole(write_some, block.data(), 10, &written), c.result);
  EXPECT_EQ(written, c.written);
  EXPECT_EQ(offered, c.offered);
  EXPECT_EQ(received, block.substr(0, c.written));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WriteWholeTest,
    ::testing::Values(Case{"AllAtOnce", {{10}}, true, 10, {10}},
                      Case{"InThreeParts", {{4}, {1}, {5}}, true, 10, {10, 6, 5}},
                      Case{"ACallTakesNothing", {{3}, {0}}, true, 3, {10, 7}},
                      Case{"RefusedAfterAPart", {{6}, {0, true}}, false, 6, {10, 4}},
                      Case{"RefusedAtOnce", {{0, true}}, false, 0, {10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteWholeTest, NothingToWriteCallsNothing) {
  int calls = 0;
  const auto write_some = [&](const char*, std::uint32_t, std::uint32_t*) {
    ++calls;
    return false;
  };
  std::uint32_t written = 99;
  EXPECT_TRUE(WriteWhole(write_some, "", 0, &written));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace quillmark
