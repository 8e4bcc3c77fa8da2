// The main window as a real window: its controls at their places, and every message a handler
// of TForm1 cares about forwarded to it through its dispatch.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "app/pointer_tracker.h"
#include "app/shell_controls.h"
#include "app/tform1.h"
#include "win32/button_picture.h"
#include "win32/handles.h"
#include "win32/memo_control.h"
#include "win32/status_bar_control.h"
#include "win32/tweak_list_view.h"

namespace quillmark::win32 {

class Win32MainWindow final : public FormWindow, public ApplicationControl, PointerTargets {
 public:
  static void RegisterWindowClass(HINSTANCE instance);

  // Builds the window and its controls, hidden and centred on the desktop.
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

 private:
  // The pointer's places: the six buttons by index, and the window's own surface.
  static constexpr int kSurface = 6;
  struct ButtonHover {
    Win32MainWindow* window;
    int index;
  };

  static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                     DWORD_PTR data);
  void CreateControls(HINSTANCE instance);
  HWND Child(const char* window_class, const char* text, DWORD style, int id, int left, int top,
             int width, int height, HINSTANCE instance);
  void Forward(TForm1::Handler handler);
  // A move or a leave was reported: hand over to the control under the pointer now.
  void PointerReported(bool moved);
  HWND PointerPlace(int control) const;
  void Entered(int control) override;
  void Left(int control) override;

  FailureBoxApi& failure_box_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  UniqueFont font_;
  UniqueBrush info_brush_;
  HWND memo_window_ = nullptr;
  std::unique_ptr<Win32TweakList> list_;
  std::unique_ptr<Win32Memo> memo_;
  std::unique_ptr<Win32StatusBar> status_;
  std::array<ButtonHover, 6> hover_{};
  std::array<HWND, 6> buttons_{};
  std::array<UniqueImageList, 6> pictures_;
  PointerTracker pointer_{*this};
  TForm1* form_ = nullptr;
};

}  // namespace quillmark::win32
