// The error box text, what reporting does, and the one piece that catches.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/failure_report.h"
#include "support/project_version.h"
#include "support/recording_failure_box.h"

namespace quillmark {
namespace {

using Events = std::vector<std::string>;

TEST(FailureBoxText, AFullStopFollowsOnlyBytesAboveTheFullStop) {
  struct Case {
    std::string message;
    std::string shown;
  };
  const Case cases[] = {
      {"", ""},
      {"Done.", "Done."},
      {"File access denied", "File access denied."},
      {"I/O error 32", "I/O error 32."},
      {"Failed to get data for 'EnableLUA'", "Failed to get data for 'EnableLUA'"},
      {"Failed to set data for ''", "Failed to set data for ''"},
      {"line one\r", "line one\r"},
      {"ends in a blank ", "ends in a blank "},
      {"a hyphen -", "a hyphen -"},
      {"a slash /", "a slash /."},
      {"caf\xe9", "caf\xe9."},
      {"\x82\xa0", "\x82\xa0."},
      {"Failed to create key RemoteComputer\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}",
       "Failed to create key RemoteComputer\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}."},
  };
  for (const Case& c : cases) EXPECT_EQ(FailureBoxText(c.message), c.shown) << c.message;
}

TEST(ReportFailure, CancelsTheMouseCaptureThenShowsTheBoxUnderTheApplicationTitle) {
  RecordingFailureBox box;
  ReportFailure(box, EInOutError(5, "File access denied"));
  EXPECT_EQ(box.Events(), (Events{"cancel mouse capture", "error box \"" QUILLMARK_PROJECT_TITLE
                                                          "\": File access denied."}));
}

TEST(ReportFailures, ReportsWhatLeavesTheBodyAndRaisesNothing) {
  RecordingFailureBox box;
  int after = 0;
  EXPECT_TRUE(ReportFailures(box, [&] { ++after; }));
  EXPECT_FALSE(ReportFailures(box, [&] {
    throw ERegistryException("Failed to set data for ''");
    ++after;
  }));
  EXPECT_FALSE(ReportFailures(box, [] { throw std::runtime_error("out of memory"); }));
  EXPECT_FALSE(ReportFailures(box, [] { throw 42; }));
  EXPECT_EQ(after, 1);
  EXPECT_EQ(
      box.Events(),
      (Events{"cancel mouse capture",
              "error box \"" QUILLMARK_PROJECT_TITLE "\": Failed to set data for ''",
              "cancel mouse capture", "error box \"" QUILLMARK_PROJECT_TITLE "\": out of memory.",
              "cancel mouse capture",
              "error box \"" QUILLMARK_PROJECT_TITLE
              "\": An unknown failure stopped the last action."}));
}

}  // namespace
}  // namespace quillmark
