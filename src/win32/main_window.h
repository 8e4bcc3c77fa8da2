// The main window as a real window: its controls at their places, and every message a handler
// of TForm1 cares about forwarded to it through its dispatch.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "app/shell_controls.h"
#include "app/tform1.h"
#include "win32/button_picture.h"
#include "win32/callback_failures.h"
#include "win32/control.h"
#include "win32/control_router.h"
#include "win32/handles.h"
#include "win32/memo_control.h"
#include "win32/push_button.h"
#include "win32/status_bar_control.h"
#include "win32/tweak_list_view.h"

namespace quillmark::win32 {

class Win32MainWindow final : public FormWindow, public ApplicationControl {
 public:
  // A refusal throws a failure naming the call and the system's reason.
  static void RegisterWindowClass(HINSTANCE instance);

  // Builds the window and its controls, hidden and centred on the desktop. A window or control
  // that cannot be made throws CreationFailure.
  Win32MainWindow(HINSTANCE instance, FailureBoxApi& failure_box);
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;
  ~Win32MainWindow() override;

  HWND Handle() const { return window_; }
  TweakList& lv1() { return *list_; }
  TextMemo& mmo1() { return *memo_; }
  StatusBar& stsbr1() { return *status_; }

  // From now on the window's messages reach the form's handlers.
  void AttachForm(TForm1* form) { form_ = form; }
  // Maximised for SW_SHOWMAXIMIZED, minimised without activation for SW_SHOWMINNOACTIVE,
  // otherwise normal; the memo then has the focus.
  void Show(int show_command);

  void Close() override;
  void Terminate() override;

  // For the shared window procedure.
  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l);
  CallbackFailures& Failures() noexcept { return failures_; }

 private:
  // The window's own surface as a place of the pointer: leaving it is the form's mouse leave.
  class Surface final : public Control {
   public:
    explicit Surface(Win32MainWindow& window) : window_(window) {}
    HWND Handle() const override { return window_.window_; }
    void PointerLeft() override { window_.Forward(&TForm1::FormMouseLeave); }

   private:
    Win32MainWindow& window_;
  };

  void CreateControls(HINSTANCE instance);
  // A child just made, given the window's font; throws CreationFailure if it was not made.
  HWND Child(HWND made);
  void Forward(TForm1::Handler handler);

  FailureBoxApi& failure_box_;
  CallbackFailures failures_{failure_box_};
  HWND window_ = nullptr;
  int dpi_ = 96;
  UniqueFont font_;
  UniqueBrush info_brush_;
  HWND memo_window_ = nullptr;
  std::unique_ptr<Win32TweakList> list_;
  std::unique_ptr<Win32Memo> memo_;
  std::unique_ptr<Win32StatusBar> status_;
  std::array<PushButton, 6> buttons_;
  std::array<UniqueImageList, 6> pictures_;
  Surface surface_{*this};
  ControlRouter controls_{failure_box_};
  TForm1* form_ = nullptr;
};

}  // namespace quillmark::win32
