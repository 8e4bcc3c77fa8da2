#include "core/failure_report.h"

#include "core/application_title.h"

namespace quillmark {

std::string FailureBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void ReportFailure(FailureBoxApi& box, const Exception& failure) {
  box.CancelMouseCapture();
  box.ShowErrorBox(FailureBoxText(failure.Message()), kApplicationTitle);
}

}  // namespace quillmark
