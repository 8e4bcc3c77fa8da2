// The main window's flows over headless controls: scripted dialog answers, then the memo, the
// status text, the rows, the restart flag and the registry's call log are checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/full_disk_files.h"
#include "support/general_text.h"
#include "support/headless_shell.h"
#include "support/project_version.h"
#include "tweaks/restart_flag.h"
#include "tweaks/restore_file.h"

namespace quillmark::testing {
namespace {

using Lines = std::vector<std::string>;
using Operation = InstrumentedStore::Operation;

const Lines& kGeneral = kGeneralTextLines;
const char* const kApplyDialog = "dialog confirmation [3]: Apply changes to system ?";
const char* const kDefaultsDialog =
    "dialog confirmation [3]: This will remove all tweaks, continue ?";
const std::string kReminderDialog =
    "dialog information [4]: it is recommended to restart your computer for some\n\rof the "
    "changes made by Quillmark to take effect";

class MainWindow : public ::testing::Test {
 protected:
  // Opens the window on a fresh Windows 7 plus extra, its files written through files, then
  // forgets what start-up did.
  void Open(const std::string& extra = "", FileApi* files = nullptr) {
    shell = std::make_unique<HeadlessShell>(std::string(kFreshWindows7) + extra);
    if (files != nullptr) shell->files = files;
    shell->IdentifySystem();
    form = std::make_unique<TForm1>(shell->store, shell->CreateMainWindow(), shell->identification);
    shell->form = form.get();
    restart_recommended = 1;  // start-up must clear it
    form->FormCreate();
    shell->ForgetEvents();
    shell->store.ForgetCalls();
  }

  std::size_t Calls(Operation operation) const {
    std::size_t count = 0;
    for (const auto& logged : shell->store.CallLog())
      if (logged.call.operation == operation) ++count;
    return count;
  }
  std::string Registry() const { return SaveSnapshot(shell->registry); }
  Lines Memo() const { return shell->memo.Lines(); }
  std::string Status() const { return shell->Text(); }

  std::unique_ptr<HeadlessShell> shell;
  std::unique_ptr<TForm1> form;
};

TEST_F(MainWindow, StartUpLeavesTheFlagClearTheGeneralTextAndTheRunningStatus) {
  Open();
  EXPECT_EQ(restart_recommended, 0);
  EXPECT_EQ(Memo(), kGeneral);
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
  EXPECT_EQ(shell->list.Boxes(), "..............");
}

TEST_F(MainWindow, ApplyNotConfirmedWritesNothingAndReadsNothing) {
  // No, and Escape or the close box, which both give 2.
  for (int answer : {kDialogNo, kDialogClosed}) {
    SCOPED_TRACE(answer);
    Open();
    shell->list.SetChecked(0, true);
    shell->list.SetChecked(13, true);
    const std::string before = Registry();
    shell->store.ForgetCalls();
    shell->dialog_answer = answer;
    EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn1Click));
    EXPECT_EQ(shell->Events(), Lines{kApplyDialog});
    EXPECT_EQ(shell->store.CallCount(), 0u);
    EXPECT_EQ(Registry(), before);
    EXPECT_EQ(shell->list.Boxes(), "x............x");
    EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
    EXPECT_EQ(restart_recommended, 0);
  }
}

TEST_F(MainWindow, ApplyConfirmedWritesReadsBackAndReports) {
  Open();
  shell->list.SetChecked(3, true);   // menu delay
  shell->list.SetChecked(13, true);  // UAC off
  shell->dialog_answer = kDialogYes;
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn1Click));
  EXPECT_EQ(restart_recommended, 1);
  EXPECT_EQ(Status(), "Last Action: Apply changes to system");
  EXPECT_EQ(shell->list.Boxes(), "...x.........x");
  EXPECT_EQ(shell->FailureBoxes(), Lines{});
  // The registry took the selection, and the re-read ran after the writes: the last call that
  // reads a value is the UAC probe's.
  EXPECT_NE(Registry().find("\"MenuShowDelay\"=\"8\""), std::string::npos) << Registry();
  EXPECT_NE(Registry().find("\"EnableLUA\"=dword:00000000"), std::string::npos);
  const auto& log = shell->store.CallLog();
  auto last_read = std::find_if(log.rbegin(), log.rend(), [](const auto& logged) {
    return logged.call.operation == Operation::QueryValue;
  });
  ASSERT_NE(last_read, log.rend());
  EXPECT_EQ(last_read->call.value_name, "EnableLUA");
  auto last_write = std::find_if(log.rbegin(), log.rend(), [](const auto& logged) {
    return logged.call.operation == Operation::SetValue;
  });
  EXPECT_GT(std::distance(last_read, last_write), 0) << "the reads come after the writes";
}

TEST_F(MainWindow, AFailedApplyKeepsTheUsersBoxesAndTheStatusAndReportsOnce) {
  Open();
  shell->list.SetChecked(3, true);
  shell->list.SetChecked(13, true);
  shell->store.FailWhen(
      [](const InstrumentedStore::Call& call) {
        return call.operation == Operation::SetValue && call.value_name == "MenuShowDelay";
      },
      kAccessDenied);
  shell->dialog_answer = kDialogYes;
  EXPECT_FALSE(form->Dispatch(&TForm1::sbtbtn1Click));
  EXPECT_EQ(shell->FailureBoxes(),
            (Lines{"cancel mouse capture", "error box \"" QUILLMARK_PROJECT_TITLE
                                           "\": Failed to set data for 'MenuShowDelay'"}));
  EXPECT_EQ(shell->list.Boxes(), "...x.........x");
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
  EXPECT_EQ(restart_recommended, 1);
  EXPECT_EQ(Registry().find("\"EnableLUA\"=dword:00000000"), std::string::npos)
      << "nothing after the failing write ran";
}

TEST_F(MainWindow, RefreshViewReadsWhatChangedBehindTheProgramsBack) {
  Open();
  shell->list.Select(-1);
  form->sbtbtn4MouseEnter();
  ApplyRegistryScript(shell->registry,
                      "Windows Registry Editor Version 5.00\n\n"
                      "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"50\"\n");
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn3Click));
  EXPECT_EQ(shell->list.Boxes(), "............x.");
  EXPECT_EQ(Status(), "Last Action: Refresh view");
  EXPECT_EQ(Memo(), Lines{"Click to read about Quillmark"}) << "no row selected: memo kept";
  EXPECT_EQ(shell->Events(), Lines{}) << "no confirmation";
}

TEST_F(MainWindow, AboutWaitsForTheBoxThenReports) {
  Open();
  std::string status_while_shown;
  shell->during_about = [&] { status_while_shown = Status(); };
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn4Click));
  EXPECT_EQ(shell->Events(), Lines{"about box shown"});
  EXPECT_EQ(status_while_shown, "Last Action: Quillmark is Running");
  EXPECT_EQ(Status(), "Last Action: Show about modal");
  EXPECT_EQ(shell->store.CallCount(), 0u);
}

class ExportFlow : public MainWindow {
 protected:
  void SetUp() override {
    folder =
        std::filesystem::temp_directory_path() /
        ("quillmark-export-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

TEST_F(ExportFlow, CancelWritesNothing) {
  Open();
  shell->save_answer.reset();
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn5Click));
  EXPECT_EQ(shell->Events(), Lines{"save dialog \"Save Default Settings\" (registry file "
                                   "(*.reg)|*.reg, .reg) proposing RestoreFromTewaks"});
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
}

TEST_F(ExportFlow, WritesTheRestoreFileReportsAndProposesTheLastNameNextTime) {
  Open();
  const std::string path = (folder / "mine.reg").string();
  // An existing file is replaced without a question.
  { std::ofstream(path) << "old content that is longer than nothing"; }
  shell->save_answer = path;
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn5Click));
  EXPECT_EQ(Status(), "Last Action: Export default settings to reg file");
  const std::string written = ReadWholeFile(path);
  EXPECT_EQ(written.size(), 1414u);
  EXPECT_EQ(written.substr(0, 38), "Windows Registry Editor Version 5.00\r\n");
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  EXPECT_EQ(shell->store.CallCount(), 0u) << "the export never reads the registry";

  shell->ForgetEvents();
  shell->save_answer.reset();
  form->Dispatch(&TForm1::sbtbtn5Click);
  ASSERT_EQ(shell->Events().size(), 1u);
  EXPECT_NE(shell->Events()[0].find("proposing " + path), std::string::npos);
}

TEST_F(ExportFlow, AnUnwritablePathIsReportedAndKeepsTheStatus) {
  Open();
  shell->save_answer = (folder / "missing" / "RestoreFromTewaks.reg").string();
  EXPECT_FALSE(form->Dispatch(&TForm1::sbtbtn5Click));
  EXPECT_EQ(shell->FailureBoxes().back(),
            "error box \"" QUILLMARK_PROJECT_TITLE "\": Invalid filename.");
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
}

// A failed export leaves the user's earlier file whole, and nothing of its own beside it.
TEST_F(ExportFlow, AFailedExportLeavesTheEarlierFileWhole) {
  FullDiskFiles full(200);  // the second block does not fit
  Open("", &full);
  const std::string path = (folder / "mine.reg").string();
  { std::ofstream(path, std::ios::binary) << "the user's own file"; }
  shell->save_answer = path;
  EXPECT_FALSE(form->Dispatch(&TForm1::sbtbtn5Click));
  EXPECT_EQ(shell->FailureBoxes().back(),
            "error box \"" QUILLMARK_PROJECT_TITLE "\": I/O error 112.");
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
  EXPECT_EQ(ReadWholeFile(path), "the user's own file");
  EXPECT_EQ(SortedNames(folder), std::vector<std::string>{"mine.reg"});
}

TEST_F(MainWindow, DefaultsNotConfirmedChangesNothing) {
  Open("[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"50\"\n");
  const std::string before = Registry();
  shell->store.ForgetCalls();
  form->sbtbtn1MouseEnter();
  shell->dialog_answer = kDialogNo;
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn6Click));
  EXPECT_EQ(shell->Events(), Lines{kDefaultsDialog});
  EXPECT_EQ(shell->store.CallCount(), 0u);
  EXPECT_EQ(Registry(), before);
  EXPECT_EQ(Memo(), Lines{"Click to apply tweaks !"});
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
}

TEST_F(MainWindow, DefaultsConfirmedWritesReadsBackExplainsAndReports) {
  Open(
      "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"50\"\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"8\"\n");
  ASSERT_EQ(shell->list.Boxes(), "...x........x.");
  form->sbtbtn6MouseEnter();
  shell->dialog_answer = kDialogYes;
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn6Click));
  EXPECT_EQ(shell->list.Boxes(), "..............");
  EXPECT_EQ(Memo(), kGeneral);
  EXPECT_EQ(Status(), "Last Action: Restore default settings");
  EXPECT_EQ(restart_recommended, 0) << "Defaults does not touch the flag";
  EXPECT_NE(Registry().find("\"MouseHoverTime\"=\"400\""), std::string::npos);
}

TEST_F(MainWindow, AFailedDefaultsStopsBeforeTheReadBack) {
  Open(
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"8\"\n"
      "[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n");
  ASSERT_EQ(shell->list.Boxes(), "...x..........");
  form->sbtbtn6MouseEnter();
  shell->dialog_answer = kDialogYes;
  EXPECT_FALSE(form->Dispatch(&TForm1::sbtbtn6Click));
  EXPECT_EQ(shell->FailureBoxes().back(), "error box \"" QUILLMARK_PROJECT_TITLE
                                          "\": Failed to set data for 'NoLowDiskSpaceChecks'");
  EXPECT_EQ(shell->list.Boxes(), "...x..........") << "no read-back";
  EXPECT_EQ(Memo(), Lines{"Click to cancel all changes and tweaks and restore to system default "
                          "settings"});
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
  EXPECT_NE(Registry().find("\"MenuShowDelay\"=\"400\""), std::string::npos)
      << "the writes before the failure stay";
}

TEST_F(MainWindow, EveryButtonShowsItsHoverTextAndLeavingShowsTheGeneralText) {
  Open();
  const TForm1::Handler enters[] = {&TForm1::sbtbtn1MouseEnter, &TForm1::sbtbtn2MouseEnter,
                                    &TForm1::sbtbtn3MouseEnter, &TForm1::sbtbtn4MouseEnter,
                                    &TForm1::sbtbtn5MouseEnter, &TForm1::sbtbtn6MouseEnter};
  const TForm1::Handler leaves[] = {&TForm1::sbtbtn1MouseLeave, &TForm1::sbtbtn2MouseLeave,
                                    &TForm1::sbtbtn3MouseLeave, &TForm1::sbtbtn4MouseLeave,
                                    &TForm1::sbtbtn5MouseLeave, &TForm1::sbtbtn6MouseLeave};
  const char* const texts[] = {
      "Click to apply tweaks !",
      "Click to close program",
      "Click to refresh tweaks list",
      "Click to read about Quillmark",
      "Click to create a backup reg file, you can run this file directly to restore default "
      "values",
      "Click to cancel all changes and tweaks and restore to system default settings"};
  for (int button = 0; button < 6; ++button) {
    SCOPED_TRACE(button);
    shell->list.Select(4);  // a selected row does not keep the general text away
    form->Dispatch(enters[button]);
    EXPECT_EQ(Memo(), Lines{texts[button]});
    form->Dispatch(leaves[button]);
    EXPECT_EQ(Memo(), kGeneral);
  }
}

TEST_F(MainWindow, TheMemoShowsWhoeverWroteLast) {
  Open();
  // With no row selected a toggled box leaves the memo as it is.
  shell->list.Select(-1);
  form->sbtbtn3MouseEnter();
  shell->list.SetChecked(7, true);
  EXPECT_EQ(Memo(), Lines{"Click to refresh tweaks list"});

  // With a row selected, a toggle of another row shows the selected row's text.
  shell->list.Select(4);
  const Lines selected_text = Memo();
  ASSERT_NE(selected_text, Lines{"Click to refresh tweaks list"});
  form->sbtbtn3MouseEnter();
  shell->list.SetChecked(9, true);
  EXPECT_EQ(Memo(), selected_text);

  // Leaving the window surface shows the general text though a row is selected; the row's text
  // only comes back with the next change report.
  form->FormMouseLeave();
  EXPECT_EQ(Memo(), kGeneral);
  shell->list.SetChecked(9, false);
  EXPECT_EQ(Memo(), selected_text);
}

TEST_F(MainWindow, TheCloseButtonAsksTheWindowToCloseAndNothingElse) {
  Open();
  EXPECT_TRUE(form->Dispatch(&TForm1::sbtbtn2Click));
  EXPECT_EQ(shell->Events(), Lines{"close request"});
  EXPECT_EQ(Status(), "Last Action: Quillmark is Running");
}

// What the window's closing asks the form; the real window's closing is in the Windows tests.
TEST_F(MainWindow, TheCloseQueryRemindsAfterAConfirmedApplyOnly) {
  struct Case {
    const char* name;
    std::vector<int> answers;  // to the dialogs before the close
    TForm1::Handler before;    // nullptr: close at once
    bool reminded;
  };
  const Case cases[] = {
      {"closed at once", {}, nullptr, false},
      {"apply declined", {kDialogNo}, &TForm1::sbtbtn1Click, false},
      {"apply confirmed", {kDialogYes}, &TForm1::sbtbtn1Click, true},
      {"defaults alone", {kDialogYes}, &TForm1::sbtbtn6Click, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open();
    for (int answer : c.answers) shell->dialog_answers.push_back(answer);
    if (c.before) form->Dispatch(c.before);
    shell->ForgetEvents();
    form->FormCloseQuery();
    EXPECT_EQ(shell->Events(), c.reminded ? Lines{kReminderDialog} : Lines{});
  }
}

TEST_F(MainWindow, AFailedApplyStillRemindsAtCloseAndTheReminderShowsEachTime) {
  Open();
  shell->store.FailWhen(
      [](const InstrumentedStore::Call& call) { return call.operation == Operation::SetValue; },
      kAccessDenied);
  shell->dialog_answer = kDialogYes;
  EXPECT_FALSE(form->Dispatch(&TForm1::sbtbtn1Click));
  shell->ForgetEvents();
  form->FormCloseQuery();  // Windows asking before the session ends
  form->FormCloseQuery();
  EXPECT_EQ(shell->Events(), (Lines{kReminderDialog, kReminderDialog}));
}

TEST(MainWindowLayout, BoundLabelsSitOnTheirControls) {
  EXPECT_EQ(BoundLabelPlacement(kLv1Placement, 55, 13).left, 8);
  EXPECT_EQ(BoundLabelPlacement(kLv1Placement, 55, 13).top, 5);
  EXPECT_EQ(BoundLabelPlacement(kMmo1Placement, 60, 13).left, 8);
  EXPECT_EQ(BoundLabelPlacement(kMmo1Placement, 60, 13).top, 289);
}

}  // namespace
}  // namespace quillmark::testing
