// The failure box of the real windowing system. Windows only.
#pragma once

#include "platform/failure_report.h"

namespace quillmark {

class Win32FailureBox final : public FailureBoxApi {
 public:
  void CancelMouseCapture() override;
  void ShowErrorBox(const std::string& text, const std::string& title) override;
};

}  // namespace quillmark
