// Where every failure ends: the error box. The places that catch (a window message's handler,
// the message loop, the start-up steps) each make one ReportFailures call.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "core/failure_classes.h"

namespace quillmark {

// What reporting needs of the windowing system.
class FailureBoxApi {
 public:
  virtual ~FailureBoxApi() = default;
  // Ends a drag or press in progress: the window holding the mouse capture is told to cancel.
  virtual void CancelMouseCapture() = 0;
  // A modal box with the error icon and one OK button.
  virtual void ShowErrorBox(const std::string& text, const std::string& title) = 0;
};

// The box text: the message with a full stop added when its last byte, unsigned, lies above
// the full stop itself (letters, digits, "/", ":", "}", bytes from 128 up), never to an empty
// message. In the double-byte code pages every trail byte lies above it too, so the last byte
// decides as the last character's first byte would.
std::string FailureBoxText(const std::string& message);

void ReportFailure(FailureBoxApi& box, const Exception& failure);

// What the box says of a thrown value that is no standard exception and carries no text.
inline constexpr const char* kUnknownFailureMessage = "An unknown failure stopped the last action";

// Runs body; a failure that leaves it, of whatever kind, is reported and not raised again. True
// when body ran to its end.
template <typename Body>
bool ReportFailures(FailureBoxApi& box, Body&& body) {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (const Exception& failure) {
    ReportFailure(box, failure);
  } catch (const std::exception& failure) {
    ReportFailure(box, Exception(failure.what()));
  } catch (...) {
    ReportFailure(box, Exception(kUnknownFailureMessage));
  }
  return false;
}

}  // namespace quillmark
