// The message dialog in both its forms, shown for real and answered from a second thread.
#include "win32/message_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "win32/classic_message_box.h"
#include "win32/control_ids.h"
#include "win32/dialog_answering.h"
#include "win32/test_windows.h"

namespace quillmark::win32 {
namespace {

using testing::ChildrenOfClass;
using testing::ClientRectIn;
using testing::DialogAnswerer;
using testing::WindowClass;
using testing::WindowText;

enum class Answer { Yes, No, Ok, Escape, Enter, CloseBox };

const char* TitleOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::Error:
      return "Error";
    case DialogKind::Information:
      return "Information";
    case DialogKind::Confirmation:
      break;
  }
  return "Confirm";
}

struct ShownButton {
  int id;
  std::string caption;
  bool operator==(const ShownButton&) const = default;
};

std::vector<ShownButton> ExpectedButtons(unsigned buttons) {
  std::vector<ShownButton> expected;
  if (buttons & kButtonYes) expected.push_back({6, "&Yes"});
  if (buttons & kButtonNo) expected.push_back({7, "&No"});
  if (buttons & kButtonOk) expected.push_back({1, "OK"});
  return expected;
}

std::vector<HWND> ButtonsLeftToRight(HWND dialog) {
  std::vector<HWND> buttons = ChildrenOfClass(dialog, "Button");
  std::erase_if(buttons, [](HWND button) { return !IsWindowVisible(button); });
  std::sort(buttons.begin(), buttons.end(), [dialog](HWND a, HWND b) {
    return ClientRectIn(a, dialog).left < ClientRectIn(b, dialog).left;
  });
  return buttons;
}

struct Shown {
  std::string title;
  std::string window_class;
  std::vector<ShownButton> buttons;
  std::vector<std::string> static_texts;
  HWND owner = nullptr;
  bool owner_enabled = true;
};

Shown Observe(HWND dialog) {
  Shown shown;
  shown.title = WindowText(dialog);
  shown.window_class = WindowClass(dialog);
  for (HWND button : ButtonsLeftToRight(dialog)) {
    shown.buttons.push_back({GetDlgCtrlID(button), WindowText(button)});
  }
  for (HWND label : ChildrenOfClass(dialog, "Static")) {
    if (std::string text = WindowText(label); !text.empty()) shown.static_texts.push_back(text);
  }
  shown.owner = GetWindow(dialog, GW_OWNER);
  shown.owner_enabled = shown.owner && IsWindowEnabled(shown.owner);
  return shown;
}

void Give(Answer answer, DialogForm form, HWND dialog, DWORD gui_thread) {
  int button = 0;
  switch (answer) {
    case Answer::Yes:
      button = 6;
      break;
    case Answer::No:
      button = 7;
      break;
    case Answer::Ok:
      button = 1;
      break;
    case Answer::Escape:
      testing::PressKey(gui_thread, dialog, VK_ESCAPE);
      return;
    case Answer::Enter:
      testing::PressKey(gui_thread, dialog, VK_RETURN);
      return;
    case Answer::CloseBox:
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
  }
  if (form == DialogForm::TaskDialog) {
    PostMessageA(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(button), 0);
  } else {
    PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
  }
}

struct AnswerCase {
  const char* name;
  DialogKind kind;
  unsigned buttons;
  Answer answer;
  int classic_result;
  int task_dialog_result;
};

// The task dialog is cancelled by Escape; the classic box presses No, else OK.
const AnswerCase kAnswerCases[] = {
    {"ConfirmYes", DialogKind::Confirmation, kButtonYes | kButtonNo, Answer::Yes, 6, 6},
    {"ConfirmNo", DialogKind::Confirmation, kButtonYes | kButtonNo, Answer::No, 7, 7},
    {"ConfirmEscape", DialogKind::Confirmation, kButtonYes | kButtonNo, Answer::Escape, 7, 2},
    {"ConfirmEnter", DialogKind::Confirmation, kButtonYes | kButtonNo, Answer::Enter, 6, 6},
    {"ConfirmCloseBox", DialogKind::Confirmation, kButtonYes | kButtonNo, Answer::CloseBox, 2, 2},
    {"InformationOk", DialogKind::Information, kButtonOk, Answer::Ok, 1, 1},
    {"InformationEscape", DialogKind::Information, kButtonOk, Answer::Escape, 1, 2},
    {"InformationEnter", DialogKind::Information, kButtonOk, Answer::Enter, 1, 1},
    {"ErrorCloseBox", DialogKind::Error, kButtonOk, Answer::CloseBox, 2, 2},
    {"ErrorEnter", DialogKind::Error, kButtonOk, Answer::Enter, 1, 1},
    {"ThreeButtonsEnter", DialogKind::Confirmation, kButtonYes | kButtonNo | kButtonOk,
     Answer::Enter, 1, 1},
    {"ThreeButtonsEscape", DialogKind::Confirmation, kButtonYes | kButtonNo | kButtonOk,
     Answer::Escape, 7, 2},
    {"ThreeButtonsNo", DialogKind::Confirmation, kButtonYes | kButtonNo | kButtonOk, Answer::No, 7,
     7},
    {"YesOkEscape", DialogKind::Information, kButtonYes | kButtonOk, Answer::Escape, 1, 2},
    {"YesOkYes", DialogKind::Error, kButtonYes | kButtonOk, Answer::Yes, 6, 6},
};

const char* FormName(DialogForm form) {
  return form == DialogForm::TaskDialog ? "TaskDialog" : "Classic";
}

class MessageDialogAnswerTest
    : public ::testing::TestWithParam<std::tuple<DialogForm, AnswerCase>> {};

TEST_P(MessageDialogAnswerTest, ShowsTitleAndButtonsAndReturnsTheAnswer) {
  const auto& [form, answer_case] = GetParam();
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  ASSERT_TRUE(application);
  Win32MessageDialog dialog(application.get(), form);
  const DWORD gui_thread = GetCurrentThreadId();
  const std::string text = std::string("Question for ") + answer_case.name;

  Shown shown;
  DialogAnswerer answerer(TitleOf(answer_case.kind), nullptr, [&](HWND window) {
    shown = Observe(window);
    Give(answer_case.answer, form, window, gui_thread);
  });
  const int result = dialog.Show(answer_case.kind, text, answer_case.buttons);
  ASSERT_TRUE(answerer.Finish());

  EXPECT_EQ(result, form == DialogForm::TaskDialog ? answer_case.task_dialog_result
                                                   : answer_case.classic_result);
  EXPECT_EQ(shown.title, TitleOf(answer_case.kind));
  EXPECT_EQ(shown.buttons, ExpectedButtons(answer_case.buttons));
  // The text is the only text besides the buttons: no heading above it.
  EXPECT_EQ(shown.static_texts, std::vector<std::string>{text});
  // Without an active window the hidden application window owns the dialog.
  EXPECT_EQ(shown.owner, application.get());
  if (form == DialogForm::Classic) {
    EXPECT_EQ(shown.window_class, kClassicDialogClass);
  }
}

INSTANTIATE_TEST_SUITE_P(BothForms, MessageDialogAnswerTest,
                         ::testing::Combine(::testing::Values(DialogForm::TaskDialog,
                                                              DialogForm::Classic),
                                            ::testing::ValuesIn(kAnswerCases)),
                         [](const auto& info) {
                           return std::string(FormName(std::get<0>(info.param))) + "_" +
                                  std::get<1>(info.param).name;
                         });

class MessageDialogOwnerTest : public ::testing::TestWithParam<DialogForm> {};

TEST_P(MessageDialogOwnerTest, ActiveWindowOwnsTheDialogAndIsDisabledWhileItIsUp) {
  const DialogForm form = GetParam();
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  UniqueWindow main_window = testing::CreateActiveWindow("Owner window");
  HWND owner = main_window.get();
  ASSERT_TRUE(testing::PumpUntil([owner] { return GetActiveWindow() == owner; }));
  Win32MessageDialog dialog(application.get(), form);

  Shown shown;
  DialogAnswerer answerer("Information", nullptr, [&](HWND window) {
    shown = Observe(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(dialog.Show(DialogKind::Information, "Owned", kButtonOk), kDialogClosed);
  ASSERT_TRUE(answerer.Finish());

  EXPECT_EQ(shown.owner, main_window.get());
  EXPECT_FALSE(shown.owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(main_window.get()));
  EXPECT_TRUE(testing::PumpUntil([owner] { return GetActiveWindow() == owner; }))
      << "active: " << GetActiveWindow();
}

INSTANTIATE_TEST_SUITE_P(BothForms, MessageDialogOwnerTest,
                         ::testing::Values(DialogForm::TaskDialog, DialogForm::Classic),
                         [](const auto& info) { return std::string(FormName(info.param)); });

// What the system offers, read from the system itself: the version of the common controls this
// program gets, whether they export the task dialog, and whether a visual style is on.
struct PlatformFacts {
  DWORD common_controls_major = 0;  // as DllGetVersion reports it
  std::string common_controls_path;
  bool task_dialog_exported = false;
  bool theme_active = false;

  // Version 6 comes from its side-by-side assembly; Wine's copy there reports 5.81 all the same.
  bool CommonControls6() const {
    std::string folder = common_controls_path;
    std::transform(folder.begin(), folder.end(), folder.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return common_controls_major >= 6 ||
           (folder.find("\\winsxs\\") != std::string::npos &&
            folder.find("_microsoft.windows.common-controls_6595b64144ccf1df_6.") !=
                std::string::npos);
  }
};

// Through the one function type that converts to any other without a warning.
template <typename Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

PlatformFacts ReadPlatformFacts() {
  PlatformFacts facts;
  if (HMODULE controls = LoadLibraryA("comctl32.dll")) {
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    const auto get_version = Entry<DLLGETVERSIONPROC>(controls, "DllGetVersion");
    if (get_version && SUCCEEDED(get_version(&version))) {
      facts.common_controls_major = version.dwMajorVersion;
    }
    facts.task_dialog_exported = GetProcAddress(controls, "TaskDialogIndirect") != nullptr;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(controls, path, MAX_PATH);
    facts.common_controls_path = path;
    FreeLibrary(controls);
  }
  if (HMODULE themes = LoadLibraryA("uxtheme.dll")) {
    using IsThemeActiveProc = BOOL(WINAPI*)();
    const auto is_theme_active = Entry<IsThemeActiveProc>(themes, "IsThemeActive");
    facts.theme_active = is_theme_active && is_theme_active();
    FreeLibrary(themes);
  }
  return facts;
}

TEST(MessageDialogFormTest, AutomaticFormIsTheTaskDialogExactlyWhereTheSystemHasOne) {
  const PlatformFacts facts = ReadPlatformFacts();
  // The manifest asks for version 6; anything older means the test program is built wrong.
  ASSERT_TRUE(facts.CommonControls6())
      << "the common controls 6 are not loaded: " << facts.common_controls_path << ", version "
      << facts.common_controls_major;
  const bool task_dialog_expected = facts.task_dialog_exported && facts.theme_active;
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  Win32MessageDialog dialog(application.get());
  Shown shown;
  DialogAnswerer answerer("Error", nullptr, [&](HWND window) {
    shown = Observe(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  dialog.Show(DialogKind::Error, "Which form?", kButtonOk);
  ASSERT_TRUE(answerer.Finish());
  EXPECT_EQ(shown.window_class == kClassicDialogClass, !task_dialog_expected)
      << "shown as " << shown.window_class << "; common controls " << facts.common_controls_path
      << ", task dialog exported: " << facts.task_dialog_exported
      << ", theme active: " << facts.theme_active;
}

}  // namespace
}  // namespace quillmark::win32
