// The failure box of the real windowing system. Windows only.
#pragma once

#include <windows.h>

#include "core/failure_report.h"

namespace quillmark {

class Win32FailureBox final : public FailureBoxApi {
 public:
  // Without an application window the box is owned by the active window alone.
  explicit Win32FailureBox(HWND application_window = nullptr)
      : application_window_(application_window) {}

  void CancelMouseCapture() override;
  // Modal to the whole program: every other window of the thread is disabled while it is up,
  // and the active window and the focus are restored afterwards.
  void ShowErrorBox(const std::string& text, const std::string& title) override;

 private:
  HWND application_window_;
};

}  // namespace quillmark
