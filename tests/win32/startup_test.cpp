// The program's start-up on real windows over the real registry, as WinMain runs it: the
// application window hidden, untitled and off the task bar, the main window shown with its title,
// its rows ticked as the registry says, the general text in the memo and the running status, and
// its close ending the program with 0.
#include <windows.h>
//
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/general_text.h"
#include "support/project_version.h"
#include "win32/control_ids.h"
#include "win32/dialog_answering.h"
#include "win32/windows_program.h"

namespace quillmark::win32 {
namespace {

// A text value of the registry set for one test, and put back as it was after it.
class ValueForTest {
 public:
  ValueForTest(HKEY root, const char* key, const char* name, const std::string& text)
      : root_(root), key_(key), name_(name) {
    HKEY opened = nullptr;
    made_ = RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                            &opened, nullptr) == ERROR_SUCCESS;
    if (!made_) return;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(opened, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
      std::vector<BYTE> data(size);
      if (RegQueryValueExA(opened, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
        old_type_ = type;
        old_ = std::move(data);
      }
    }
    made_ = RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(opened);
  }
  ValueForTest(const ValueForTest&) = delete;
  ValueForTest& operator=(const ValueForTest&) = delete;
  ~ValueForTest() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root_, key_, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    if (old_) {
      RegSetValueExA(opened, name_, 0, old_type_, old_->data(), static_cast<DWORD>(old_->size()));
    } else {
      RegDeleteValueA(opened, name_);
    }
    RegCloseKey(opened);
  }
  bool Set() const { return made_; }

 private:
  HKEY root_;
  const char* key_;
  const char* name_;
  bool made_ = false;
  DWORD old_type_ = 0;
  std::optional<std::vector<BYTE>> old_;
};

// What the started program showed, read from the answering thread.
struct Shown {
  bool main_visible = false;
  bool main_unowned = false;
  bool main_tool_window = true;
  int applications = 0;  // the hidden, untitled tool windows of the application
  int rows = 0;
  bool menu_delay_ticked = false;  // row 3
  bool hover_time_ticked = true;   // row 12
  std::string memo;
  std::string status;
};

BOOL CALLBACK CountApplicationWindow(HWND window, LPARAM shown) noexcept {
  if (testing::WindowClass(window) == "TApplication" && !IsWindowVisible(window) &&
      GetWindowTextLengthA(window) == 0 &&
      (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
    ++reinterpret_cast<Shown*>(shown)->applications;
  }
  return TRUE;
}

TEST(StartUpOnRealWindows, TheMainWindowOpensFilledTickedAndExplainedAndItsCloseEndsTheProgram) {
  // A 32-bit Windows 7 Ultimate as the program's simulated identity reads it, with one tweak in
  // force and one not.
  const ValueForTest edition(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                             "EditionID", "Ultimate");
  const ValueForTest menu_delay(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", "8");
  const ValueForTest hover_time(HKEY_CURRENT_USER, "Control Panel\\Mouse", "MouseHoverTime", "400");
  ASSERT_TRUE(edition.Set() && menu_delay.Set() && hover_time.Set());

  Shown shown;
  const DWORD program_thread = GetCurrentThreadId();
  testing::DialogAnswerer main_window(QUILLMARK_PROJECT_TITLE, kMainWindowClass, [&](HWND main) {
    shown.main_visible = IsWindowVisible(main) != FALSE;
    shown.main_unowned = GetWindow(main, GW_OWNER) == nullptr;
    shown.main_tool_window = (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    EnumThreadWindows(program_thread, CountApplicationWindow, reinterpret_cast<LPARAM>(&shown));
    HWND list = GetDlgItem(main, kIdLv1);
    shown.rows = ListView_GetItemCount(list);
    shown.menu_delay_ticked = ListView_GetCheckState(list, 3) != 0;
    shown.hover_time_ticked = ListView_GetCheckState(list, 12) != 0;
    char memo[4096] = {};
    SendMessageA(GetDlgItem(main, kIdMmo1), WM_GETTEXT, sizeof memo,
                 reinterpret_cast<LPARAM>(memo));
    shown.memo = memo;
    char status[256] = {};
    SendMessageA(GetDlgItem(main, kIdStsbr1), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    shown.status = status;
    PostMessageA(main, WM_CLOSE, 0, 0);
  });

  EXPECT_EQ(RunWindowsProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL,
                              SystemIdentity::SimulatedWindows7),
            0);
  ASSERT_TRUE(main_window.Finish()) << "the main window did not open, or did not close";
  EXPECT_TRUE(shown.main_visible);
  // The main window has the task-bar button: unowned and no tool window.
  EXPECT_TRUE(shown.main_unowned);
  EXPECT_FALSE(shown.main_tool_window);
  EXPECT_EQ(shown.applications, 1);
  EXPECT_EQ(shown.rows, 14);
  EXPECT_TRUE(shown.menu_delay_ticked);
  EXPECT_FALSE(shown.hover_time_ticked);
  std::string general;
  for (const std::string& line : quillmark::testing::kGeneralTextLines) {
    general += (general.empty() ? "" : "\r\n") + line;
  }
  EXPECT_EQ(shown.memo, general);
  EXPECT_EQ(shown.status, "Last Action: Quillmark is Running");
}

// While it lives, this thread's application windows are not made. A hook procedure has no data
// of its own, and needs none here.
LRESULT CALLBACK RefuseApplicationWindow(int code, WPARAM wparam, LPARAM lparam) noexcept {
  if (code == HCBT_CREATEWND) {
    const char* name = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs->lpszClass;
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0 && lstrcmpA(name, "TApplication") == 0)
      return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST(StartUpOnRealWindows, AnApplicationWindowTheSystemRefusesIsReportedAndEndsTheProgram) {
  const ValueForTest edition(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                             "EditionID", "Ultimate");
  ASSERT_TRUE(edition.Set());
  std::string reported;
  testing::DialogAnswerer box(QUILLMARK_PROJECT_TITLE, "#32770", [&](HWND dialog) {
    for (HWND label : testing::ChildrenOfClass(dialog, "Static"))
      reported += testing::WindowText(label);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseApplicationWindow, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const int exit_code = RunWindowsProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL,
                                          SystemIdentity::SimulatedWindows7);
  UnhookWindowsHookEx(hook);
  ASSERT_TRUE(box.Finish()) << "no failure box";
  EXPECT_EQ(exit_code, 1);
  EXPECT_EQ(reported.rfind("The application window could not be created", 0), 0u) << reported;
  EXPECT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace quillmark::win32
