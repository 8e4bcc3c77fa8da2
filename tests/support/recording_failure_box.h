// A failure box that shows nothing and remembers what it was asked, for tests and for programs
// without windows.
#pragma once

#include <string>
#include <vector>

#include "core/failure_report.h"

namespace quillmark {

class RecordingFailureBox final : public FailureBoxApi {
 public:
  void CancelMouseCapture() override { events_.push_back("cancel mouse capture"); }
  void ShowErrorBox(const std::string& text, const std::string& title) override {
    events_.push_back("error box \"" + title + "\": " + text);
  }
  const std::vector<std::string>& Events() const { return events_; }

 private:
  std::vector<std::string> events_;
};

}  // namespace quillmark
