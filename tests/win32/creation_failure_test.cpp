// Windows that cannot be made: each real window's construction fails with a failure that names
// what could not be made, leaves no half-made window behind, and a failure of a window's
// handler of any kind reaches the error box. Creation is refused by the system's own hook.
#include <windows.h>
//
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/message_dialog_presentation.h"
#include "support/project_version.h"
#include "support/recording_failure_box.h"
#include "win32/about_box_window.h"
#include "win32/classic_message_box.h"
#include "win32/control_ids.h"
#include "win32/creation_failure.h"
#include "win32/handles.h"
#include "win32/main_window.h"
#include "win32/object_window_proc.h"
#include "win32/tweak_list_view.h"

namespace quillmark::win32 {
namespace {

// The class whose windows the hook refuses; a hook procedure has no data of its own.
const char* refused_class = nullptr;

LRESULT CALLBACK RefusingHook(int code, WPARAM wparam, LPARAM lparam) noexcept {
  if (code == HCBT_CREATEWND && refused_class) {
    const char* name = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs->lpszClass;
    // A class given by its atom goes by "#<atom>", as the dialogs' "#32770". The system's own
    // classes arrive under the version of the common controls asked for: "6.0.2600.2982!Button".
    char atom_name[16];
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) == 0) {
      wsprintfA(atom_name, "#%u", static_cast<unsigned>(LOWORD(reinterpret_cast<ULONG_PTR>(name))));
      name = atom_name;
    }
    const char* bare = std::strrchr(name, '!');
    if (lstrcmpiA(bare ? bare + 1 : name, refused_class) == 0) return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// While it lives, this thread's windows of one class are not made.
class RefusedCreation {
 public:
  explicit RefusedCreation(const char* window_class)
      : hook_(SetWindowsHookExA(WH_CBT, RefusingHook, nullptr, GetCurrentThreadId())) {
    refused_class = window_class;
  }
  RefusedCreation(const RefusedCreation&) = delete;
  RefusedCreation& operator=(const RefusedCreation&) = delete;
  ~RefusedCreation() {
    refused_class = nullptr;
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  bool Installed() const { return hook_ != nullptr; }

 private:
  HHOOK hook_;
};

// The message of the failure the construction threw; empty when it threw none.
template <typename Make>
std::string CreationFailureOf(Make make) {
  try {
    make();
  } catch (const CreationFailure& failure) {
    return failure.Message();
  }
  return "";
}

// The message of any failure the call threw; empty when it threw none.
template <typename Call>
std::string FailureOf(Call call) {
  try {
    call();
  } catch (const Exception& failure) {
    return failure.Message();
  }
  return "";
}

// The message of the failure that making the window threw while the class was refused.
template <typename Make>
std::string CreationFailureWhileRefused(const char* window_class, Make make) {
  RefusedCreation refusal(window_class);
  EXPECT_TRUE(refusal.Installed());
  return refusal.Installed() ? CreationFailureOf(make) : "the hook could not be installed";
}

// A failure whose message starts as expected, or none where none is expected.
void ExpectFailure(const std::string& failure, const char* expected_start) {
  if (expected_start) {
    EXPECT_EQ(failure.compare(0, std::strlen(expected_start), expected_start), 0) << failure;
  } else {
    EXPECT_EQ(failure, "");
  }
}

// True, and the request taken away, when the thread was asked to quit.
bool QuitWasRequested() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

void PrepareMainWindowClasses() {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Win32MainWindow::RegisterWindowClass(GetModuleHandleA(nullptr));
}

TEST(CreationFailure, TheMainWindowOrAnyOfItsControlsRefusedEndsItsConstructionLeavingNoWindow) {
  PrepareMainWindowClasses();
  struct Case {
    const char* refused;  // nullptr: nothing refused
    const char* failure;  // how the message starts; nullptr: none thrown
  };
  const Case cases[] = {
      {nullptr, nullptr},
      {"TForm1", "The main window could not be created"},
      {"EDIT", "The main window's controls could not be created"},
      {"SysListView32", "The main window's controls could not be created"},
      {"BUTTON", "The main window's controls could not be created"},
      {"STATIC", "The main window's controls could not be created"},
      {"msctls_statusbar32", "The main window's controls could not be created"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refused ? c.refused : "nothing refused");
    RecordingFailureBox box;
    ExpectFailure(
        CreationFailureWhileRefused(c.refused,
                                    [&] {
                                      Win32MainWindow window(GetModuleHandleA(nullptr), box);
                                      EXPECT_NE(FindWindowA(kMainWindowClass, nullptr), nullptr);
                                    }),
        c.failure);
    // The whole window's end asks the program to quit; half made, it went without running its
    // own end.
    EXPECT_EQ(QuitWasRequested(), c.failure == nullptr);
    EXPECT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr);
    EXPECT_TRUE(box.Events().empty());
  }
}

TEST(CreationFailure, TheAboutBoxOrAnyOfItsControlsRefusedEndsItsConstructionLeavingNoWindow) {
  struct Case {
    const char* refused;
    const char* failure;
  };
  const Case cases[] = {
      {nullptr, nullptr},
      {"TAboutBox", "The about box could not be created"},
      {"QuillmarkBevelPanel", "The about box's controls could not be created"},
      {"QuillmarkEffectLabel", "The about box's controls could not be created"},
      {"STATIC", "The about box's controls could not be created"},
      {"QuillmarkLinkControl", "The about box's controls could not be created"},
      {"BUTTON", "The about box's controls could not be created"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refused ? c.refused : "nothing refused");
    RecordingFailureBox box;
    ExpectFailure(
        CreationFailureWhileRefused(c.refused,
                                    [&] {
                                      Win32AboutBox about(GetModuleHandleA(nullptr), nullptr, box);
                                      EXPECT_NE(FindWindowA(kAboutBoxClass, nullptr), nullptr);
                                    }),
        c.failure);
    EXPECT_EQ(FindWindowA(kAboutBoxClass, nullptr), nullptr);
    EXPECT_TRUE(box.Events().empty());
  }
}

// A window whose handler throws what it is told to at WM_APP.
class ThrowingWindow {
 public:
  explicit ThrowingWindow(FailureBoxApi& failures) : failures_(failures) {
    RegisterObjectClass<ThrowingWindow>(GetModuleHandleA(nullptr), "QuillmarkThrowingWindow",
                                        nullptr);
    CreateWindowExA(0, "QuillmarkThrowingWindow", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleA(nullptr), this);
  }
  ThrowingWindow(const ThrowingWindow&) = delete;
  ThrowingWindow& operator=(const ThrowingWindow&) = delete;
  ~ThrowingWindow() {
    if (window_) DestroyWindow(window_);
  }

  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  CallbackFailures& Failures() noexcept { return failures_; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP) {
      if (wparam == 0) throw Exception("Failed to set data for 'MenuShowDelay'");
      if (wparam == 1) throw std::runtime_error("out of memory");
      if (wparam == 3) throw std::bad_alloc();
      throw 42;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

  HWND window_ = nullptr;

 private:
  CallbackFailures failures_;
};

TEST(WindowProcedure, AFailureOfAnyKindInAHandlerReachesTheErrorBoxAndNotTheSystem) {
  RecordingFailureBox box;
  ThrowingWindow window(box);
  ASSERT_NE(window.window_, nullptr);
  for (WPARAM kind : {0, 1, 2, 3}) EXPECT_EQ(SendMessageA(window.window_, WM_APP, kind, 0), 0);
  const std::string title = "error box \"" QUILLMARK_PROJECT_TITLE "\": ";
  EXPECT_EQ(box.Events(), (std::vector<std::string>{
                              "cancel mouse capture",
                              title + "Failed to set data for 'MenuShowDelay'",
                              "cancel mouse capture",
                              title + "out of memory.",
                              "cancel mouse capture",
                              title + "An unknown failure stopped the last action.",
                              "cancel mouse capture",
                              title + "std::bad_alloc.",
                          }));
}

TEST(CreationFailure, AWindowClassTheSystemRefusesRaisesAFailureNamingTheCallAndTheReason) {
  WNDCLASSEXA refused{};  // no size: the system takes none such
  refused.lpfnWndProc = DefWindowProcA;
  refused.hInstance = GetModuleHandleA(nullptr);
  refused.lpszClassName = "QuillmarkRefusedClass";
  SetLastError(ERROR_SUCCESS);
  const std::string failure = FailureOf([&] { RegisterWindowClass(refused); });
  ExpectFailure(failure, "RegisterClassExA of QuillmarkRefusedClass failed: ");
  EXPECT_GT(failure.size(), std::strlen("RegisterClassExA of QuillmarkRefusedClass failed: "))
      << "the system's reason follows";
}

// A list view that takes no rows: it answers every LVM_INSERTITEMA with -1.
LRESULT CALLBACK RefusingListProc(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) noexcept {
  if (message == LVM_INSERTITEMA) return -1;
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST(CreationFailure, ARowTheListViewRefusesRaisesAFailureNamingTheCall) {
  WNDCLASSEXA list_class{};
  list_class.cbSize = sizeof list_class;
  list_class.lpfnWndProc = RefusingListProc;
  list_class.hInstance = GetModuleHandleA(nullptr);
  list_class.lpszClassName = "QuillmarkRefusingList";
  RegisterWindowClass(list_class);
  UniqueWindow list(CreateWindowExA(0, "QuillmarkRefusingList", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(list);
  Win32TweakList rows(list.get());
  ExpectFailure(FailureOf([&] { rows.AppendRow("Menu delay"); }),
                "LVM_INSERTITEMA of the row \"Menu delay\" failed");
}

TEST(CreationFailure, AMessageBoxThatCannotBeMadeRaisesAFailureInsteadOfAnAnswer) {
  struct Case {
    const char* refused;
    const char* failure;
  };
  const Case cases[] = {
      {kClassicDialogClass, "DialogBoxIndirectParamA failed"},
      {"STATIC", "The message box's controls could not be created"},
      {"BUTTON", "The message box's controls could not be created"},
  };
  const DialogPresentation shown = PresentDialog(DialogKind::Information, kButtonOk);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refused);
    RefusedCreation refusal(c.refused);
    ASSERT_TRUE(refusal.Installed());
    ExpectFailure(FailureOf([&] { ShowClassicMessageBox(nullptr, shown, "Not shown"); }),
                  c.failure);
    EXPECT_EQ(FindWindowA(kClassicDialogClass, nullptr), nullptr);
  }
}

}  // namespace
}  // namespace quillmark::win32
