#include "app/pointer_tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

class RecordedTargets : public PointerTargets {
 public:
  void Entered(int control) override { log += "enter " + std::to_string(control) + ";"; }
  void Left(int control) override { log += "leave " + std::to_string(control) + ";"; }
  std::string log;
};

struct Case {
  const char* what;
  std::vector<int> places;  // where the pointer is at each report; -1 over none
  const char* expected;
};

class PointerTrackerTest : public testing::TestWithParam<Case> {};

TEST_P(PointerTrackerTest, ReportsEveryChangeOfPlaceAsLeaveThenEnter) {
  RecordedTargets targets;
  PointerTracker tracker(targets);
  for (int place : GetParam().places) tracker.PointerAt(place);
  EXPECT_EQ(targets.log, GetParam().expected);
  EXPECT_EQ(tracker.Current(), GetParam().places.back());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PointerTrackerTest,
    testing::Values(
        Case{"onto a control and off it", {3, -1}, "enter 3;leave 3;"},
        Case{"reports while over one control enter it once", {3, 3, 3}, "enter 3;"},
        Case{"straight from one control onto another", {1, 2}, "enter 1;leave 1;enter 2;"},
        Case{"a report over no control first", {-1, -1, 0}, "enter 0;"},
        Case{"there and back, then off",
             {1, 2, 2, 1, -1},
             "enter 1;leave 1;enter 2;leave 2;enter 1;leave 1;"}),
    [](const testing::TestParamInfo<Case>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace quillmark
