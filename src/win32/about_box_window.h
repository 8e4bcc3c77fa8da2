// The about box: created hidden at start-up, owned by the main window, shown modally and hidden
// again when it closes, until the program ends.
#pragma once

#include <windows.h>

#include "app/about_box.h"
#include "app/shell_controls.h"
#include "core/failure_report.h"
#include "win32/bevel_panel.h"
#include "win32/button_picture.h"
#include "win32/callback_failures.h"
#include "win32/control_router.h"
#include "win32/effect_label_window.h"
#include "win32/handles.h"
#include "win32/link_control.h"
#include "win32/push_button.h"
#include "win32/shell_open.h"

namespace quillmark::win32 {

class Win32AboutBox final : public AboutBoxWindow {
 public:
  // The link and the picture open the maker's address through the shell. A window or control
  // that cannot be made throws CreationFailure; failures of its handlers go to |failures|.
  Win32AboutBox(HINSTANCE instance, HWND owner, FailureBoxApi& failures);
  // The same with another way of opening the address.
  Win32AboutBox(HINSTANCE instance, HWND owner, ShellOpen& shell, FailureBoxApi& failures);
  ~Win32AboutBox() override;
  Win32AboutBox(const Win32AboutBox&) = delete;
  Win32AboutBox& operator=(const Win32AboutBox&) = delete;

  // Disables the owner, shows the box and runs messages until OK or the close box.
  void ShowModal() override;

  HWND Handle() const { return window_; }
  // How the last showing ended: kDialogOk for OK (or Enter), kDialogClosed for the close box.
  int ModalResult() const { return result_; }
  const LinkControl& Comments() const { return comments_; }
  const LinkControl& Image1() const { return image1_; }

  // For ObjectWindowProc.
  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  CallbackFailures& Failures() noexcept { return callback_failures_; }

 private:
  Win32AboutBox(HINSTANCE instance, HWND owner, ShellOpen* shell, FailureBoxApi& failures);
  bool CreateControls(HINSTANCE instance, int dpi);
  void EndModal(int result);
  void CentreOnPrimaryScreen();
  void RunModalLoop();

  HWND owner_;
  FailureBoxApi& failures_;
  CallbackFailures callback_failures_{failures_};
  Win32ShellOpen own_shell_;
  LinkControl comments_;
  LinkControl image1_;
  TAboutBox logic_;
  UniqueFont window_font_;
  UniqueFont title_font_;
  UniqueBitmap maker_picture_;
  UniqueImageList check_mark_;
  BevelPanel panel_;
  EffectLabelWindow shadow_label_;
  PushButton ok_button_;
  ControlRouter controls_{failures_};
  HWND window_ = nullptr;
  bool placed_ = false;
  bool modal_ = false;
  bool ending_ = false;
  int result_ = kDialogClosed;
};

}  // namespace quillmark::win32
