// The main window as the program builds it, driven through its own messages: the Close button
// and the title bar's close, the session's end, and the list view's change reports reaching the
// memo.
#include "win32/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/tform1.h"
#include "regfile/registry_script.h"
#include "support/fixtures.h"
#include "sysinfo/simulated_windows7.h"
#include "sysinfo/startup_identification.h"
#include "tweaks/restart_flag.h"
#include "win32/control_ids.h"
#include "win32/dialog_answering.h"
#include "win32/message_dialog.h"
#include "win32/save_dialog.h"
#include "win32/test_windows.h"
#include "win32/win32_failure_box.h"

namespace quillmark::win32 {
namespace {

using testing::DialogAnswerer;

// The reminder as the program is to word it; its line break is the one it has always had.
constexpr char kReminder[] =
    "it is recommended to restart your computer for some\n\rof the changes made by Quillmark to "
    "take effect";

// The about box has no part in these tests.
class NoAboutBox final : public AboutBoxWindow {
 public:
  void ShowModal() override { ADD_FAILURE() << "the about box was opened"; }
};

std::string ShownText(HWND dialog) {
  std::string all;
  for (HWND label : testing::ChildrenOfClass(dialog, "Static")) {
    const std::string text = testing::WindowText(label);
    if (!text.empty()) all += (all.empty() ? "" : "|") + text;
  }
  return all;
}

// The top-level windows this thread would make while it lives are refused and counted: a dialog
// shown where none should be fails at once instead of waiting for an answer. A hook procedure
// has no data of its own.
int* refused_windows = nullptr;

LRESULT CALLBACK RefuseTopLevel(int code, WPARAM wparam, LPARAM lparam) noexcept {
  if (code == HCBT_CREATEWND && refused_windows &&
      (reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs->style & WS_CHILD) == 0) {
    ++*refused_windows;
    return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

class NoDialogs {
 public:
  NoDialogs() : hook_(SetWindowsHookExA(WH_CBT, RefuseTopLevel, nullptr, GetCurrentThreadId())) {
    refused_windows = &refused_;
  }
  NoDialogs(const NoDialogs&) = delete;
  NoDialogs& operator=(const NoDialogs&) = delete;
  ~NoDialogs() {
    refused_windows = nullptr;
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  bool Installed() const { return hook_ != nullptr; }
  int Refused() const { return refused_; }

 private:
  HHOOK hook_;
  int refused_ = 0;
};

// Takes the WM_QUIT a closing main window posts; true when there was one.
bool TakeQuit() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class RealMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PumpPendingMessages();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Win32MainWindow::RegisterWindowClass(instance);
    application_ = testing::CreateHiddenWindow();
    failure_box_.emplace(application_.get());
    dialog_.emplace(application_.get());
    main_ = std::make_unique<Win32MainWindow>(instance, *failure_box_);
    ASSERT_TRUE(IsWindow(main_->Handle()));
    save_dialog_.emplace(main_->Handle());
    SimulatedWindows7 system(registry_);
    Identify(system, identification_);
    form_ = std::make_unique<TForm1>(
        registry_,
        MainWindowControls{main_->lv1(), main_->mmo1(), main_->stsbr1(), *dialog_, *main_, *main_,
                           *save_dialog_, about_box_, SystemFiles(), *failure_box_},
        identification_);
    form_->FormCreate();
    main_->AttachForm(form_.get());
    main_->Show(SW_SHOWNORMAL);
    testing::PumpPendingMessages();
    list_ = GetDlgItem(main_->Handle(), kIdLv1);
    ASSERT_TRUE(list_);
    memo_ = GetDlgItem(main_->Handle(), kIdMmo1);
    ASSERT_TRUE(memo_);
  }

  void TearDown() override {
    form_.reset();
    main_.reset();
    TakeQuit();
    restart_recommended = 0;
  }

  // The memo's text as the edit control holds it.
  std::string Memo() const {
    char text[4096] = {};
    SendMessageA(memo_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }

  bool BoxTicked(int row) const { return ListView_GetCheckState(list_, row) != 0; }
  void TickBox(int row, bool ticked) const { ListView_SetCheckState(list_, row, ticked); }

  // Puts a text of the test's own in the memo, which only a change report replaces.
  void MarkMemo() {
    main_->mmo1().Clear();
    main_->mmo1().AddLine("marker");
    ASSERT_EQ(Memo(), "marker");
  }

  MemoryRegistry registry_ = LoadSnapshot(quillmark::testing::kFreshWindows7);
  IdentificationResults identification_;
  UniqueWindow application_;
  std::optional<Win32FailureBox> failure_box_;
  std::optional<Win32MessageDialog> dialog_;
  std::unique_ptr<Win32MainWindow> main_;
  std::optional<Win32SaveDialog> save_dialog_;
  NoAboutBox about_box_;
  std::unique_ptr<TForm1> form_;
  HWND list_ = nullptr;
  HWND memo_ = nullptr;
};

// Answers the reminder with its close box, noting its text.
struct Reminder {
  std::string text;
  DialogAnswerer answerer{"Information", nullptr, [this](HWND dialog) {
                            text = ShownText(dialog);
                            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                          }};
};

struct Closing {
  const char* name;
  bool by_close_button;  // otherwise the system menu's Close, which the title bar's box sends
  bool restart_flagged;  // as a confirmed apply leaves it
};

class ClosingRealMainWindow : public RealMainWindow,
                              public ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingRealMainWindow, RemindsOnlyWhenARestartIsRecommendedThenClosesAndEndsTheProgram) {
  const Closing& closing = GetParam();
  restart_recommended = closing.restart_flagged ? 1 : 0;
  HWND window = main_->Handle();
  std::optional<Reminder> reminder;
  std::optional<NoDialogs> no_dialogs;
  if (closing.restart_flagged) {
    reminder.emplace();
  } else {
    no_dialogs.emplace();
    ASSERT_TRUE(no_dialogs->Installed());
  }
  if (closing.by_close_button) {
    HWND close = GetDlgItem(window, kIdSbtbtn1 + 1);
    ASSERT_EQ(testing::WindowText(close), "Close");
    SendMessageA(close, BM_CLICK, 0, 0);
  } else {
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(TakeQuit());  // before the answerer drops any quit request
  if (reminder) {
    ASSERT_TRUE(reminder->answerer.Finish());
    EXPECT_EQ(reminder->text, kReminder);
  } else {
    EXPECT_EQ(no_dialogs->Refused(), 0) << "a window was opened on closing";
  }
}

INSTANTIATE_TEST_SUITE_P(EachWay, ClosingRealMainWindow,
                         ::testing::Values(Closing{"CloseButtonAfterConfirmedApply", true, true},
                                           Closing{"CloseButtonWithoutApply", true, false},
                                           Closing{"SystemMenuAfterConfirmedApply", false, true},
                                           Closing{"SystemMenuWithoutApply", false, false}),
                         [](const ::testing::TestParamInfo<Closing>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(RealMainWindow, TheEndOfTheSessionRemindsAndLetsItEndWithTheWindowStillOpen) {
  restart_recommended = 1;
  HWND window = main_->Handle();
  Reminder reminder;
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(TakeQuit());
  ASSERT_TRUE(reminder.answerer.Finish());
  EXPECT_EQ(reminder.text, kReminder);
}

TEST_F(RealMainWindow, OnlyABoxThatChangesRewritesTheMemo) {
  constexpr int kRow = 2;
  ListView_SetItemState(list_, kRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const std::string row_text = Memo();
  ASSERT_NE(row_text, "");
  ASSERT_EQ(main_->lv1().SelectedIndex(), kRow);
  const bool ticked = BoxTicked(kRow);

  MarkMemo();
  TickBox(kRow, ticked);  // the state it already has
  EXPECT_EQ(BoxTicked(kRow), ticked);
  EXPECT_EQ(Memo(), "marker");

  TickBox(kRow, !ticked);
  EXPECT_EQ(BoxTicked(kRow), !ticked);
  EXPECT_EQ(Memo(), row_text);
}

TEST_F(RealMainWindow, RefreshingBoxesToWhatTheyShowLeavesTheMemo) {
  ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ASSERT_EQ(main_->lv1().SelectedIndex(), 0);
  MarkMemo();
  // Refresh View reads every box back from the registry, which nothing changed.
  HWND refresh = GetDlgItem(main_->Handle(), kIdSbtbtn1 + 2);
  ASSERT_EQ(testing::WindowText(refresh), "Refresh View");
  SendMessageA(refresh, BM_CLICK, 0, 0);
  EXPECT_EQ(Memo(), "marker");
}

}  // namespace
}  // namespace quillmark::win32
