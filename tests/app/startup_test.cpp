// Start-up from identification to the message loop, and the system gate of the creation
// handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixtures.h"
#include "support/general_text.h"
#include "support/headless_shell.h"
#include "support/project_version.h"
#include "tweaks/restart_flag.h"

namespace quillmark::testing {
namespace {

using Events = std::vector<std::string>;

const std::string kUltimate =
    std::string(kFreshWindows7) +
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
    "\"EditionID\"=\"Ultimate\"\n";
const char* const kGateDialog =
    "dialog error [4]: Quillmark was designed to run with Microsoft Windows 7 Ultimate only";

std::vector<std::string> MemoLines(const HeadlessShell& shell) { return shell.memo.Lines(); }

TEST(StartUp, OnWindows7UltimateTheWindowOpensFilledTickedAndExplained) {
  HeadlessShell shell(kUltimate +
                      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"8\"\n");
  restart_recommended = 1;
  EXPECT_EQ(RunProgram(shell), 0);
  EXPECT_EQ(shell.Events(),
            (Events{"identify", "initialize application", "main window on the task bar",
                    "title " QUILLMARK_PROJECT_TITLE, "create main window", "create about box",
                    "show main window", "loop runs"}));
  EXPECT_EQ(restart_recommended, 0);
  EXPECT_EQ(shell.list.RowCount(), 14);
  EXPECT_EQ(shell.list.Boxes(), "...x..........");
  EXPECT_EQ(MemoLines(shell), kGeneralTextLines);
  EXPECT_EQ(shell.Text(), "Last Action: Quillmark is Running");
}

TEST(StartUp, TheGateWantsMajorVersion6AndExactlyUltimate) {
  struct Case {
    std::uint32_t major;
    const char* edition;
    bool passes;
  };
  for (const Case& c :
       {Case{6, "Ultimate", true}, Case{6, "ultimate", false}, Case{6, "ULTIMATE", false},
        Case{6, "Ultimate ", false}, Case{6, "Ultimate N", false}, Case{6, "Home Premium", false},
        Case{6, "", false}, Case{5, "Ultimate", false}, Case{7, "Ultimate", false},
        Case{0, "", false}}) {
    HeadlessShell shell(kFreshWindows7);
    shell.use_given_identification = true;
    shell.identification.version.major = c.major;
    shell.identification.version.minor = 1;
    shell.identification.version.platform = 2;
    shell.identification.os_edition = c.edition;
    restart_recommended = 1;
    EXPECT_EQ(RunProgram(shell), 0);
    const Events events = shell.Events();
    const bool dialog = std::find(events.begin(), events.end(), kGateDialog) != events.end();
    EXPECT_EQ(dialog, !c.passes) << c.major << " " << c.edition;
    if (!c.passes) {
      EXPECT_EQ(events, (Events{"identify", "initialize application", "main window on the task bar",
                                "title " QUILLMARK_PROJECT_TITLE, "create main window", kGateDialog,
                                "terminate", "create about box", "show main window",
                                "loop ends at its first turn"}));
      EXPECT_EQ(shell.list.RowCount(), 0);
      EXPECT_EQ(restart_recommended, 1);
      EXPECT_EQ(shell.store.CallLog().size(), 0u) << "the engine touched the registry";
    }
  }
}

TEST(StartUp, AFailedGateLeavesOnlyTheIdentificationsOwnReadsInTheRegistry) {
  HeadlessShell shell(std::string(kFreshWindows7) +
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
                      "\"EditionID\"=\"Professional\"\n");
  EXPECT_EQ(RunProgram(shell), 0);
  ASSERT_FALSE(shell.store.CallLog().empty());
  for (const auto& logged : shell.store.CallLog()) {
    EXPECT_EQ(logged.call.path,
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
  }
  EXPECT_EQ(shell.list.RowCount(), 0);
}

TEST(StartUp, AFailureInTheCreationHandlerIsReportedBeforeTheWindowShows) {
  HeadlessShell shell(
      kUltimate +
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n");
  EXPECT_EQ(RunProgram(shell), 0);
  EXPECT_EQ(shell.Events(),
            (Events{"identify", "initialize application", "main window on the task bar",
                    "title " QUILLMARK_PROJECT_TITLE, "create main window",
                    "error box \"" QUILLMARK_PROJECT_TITLE "\": Failed to get data for 'EnableLUA'",
                    "create about box", "show main window", "loop runs"}));
  EXPECT_EQ(shell.FailureBoxes().front(), "cancel mouse capture");
  EXPECT_EQ(shell.list.RowCount(), 14);
  EXPECT_EQ(MemoLines(shell), std::vector<std::string>{});  // the information text never came
}

TEST(StartUp, ASystemThatCannotBeIdentifiedIsReportedAndRefused) {
  HeadlessShell shell(std::string(kFreshWindows7) +
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
                      "\"EditionID\"=dword:00000001\n");
  EXPECT_EQ(RunProgram(shell), 0);
  const Events events = shell.Events();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[1],
            "error box \"" QUILLMARK_PROJECT_TITLE "\": Invalid data type for 'EditionID'");
  EXPECT_NE(std::find(events.begin(), events.end(), kGateDialog), events.end());
  EXPECT_EQ(events.back(), "loop ends at its first turn");
}

}  // namespace
}  // namespace quillmark::testing
