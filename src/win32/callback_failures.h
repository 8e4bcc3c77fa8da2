// How a procedure that the system calls (a window, subclass, dialog, hook or timer procedure)
// ends a failure of the program's code: the failure is caught and reported there, and never
// unwinds through the system's code. The box's text is made in storage set aside beforehand,
// so that reporting a lack of memory needs none.
#pragma once

#include <string>
#include <utility>

#include "core/failure_report.h"

namespace quillmark::win32 {

class CallbackFailures {
 public:
  // The longest text the box shows; a longer message is cut there.
  static constexpr std::size_t kLongestText = 8192;

  explicit CallbackFailures(FailureBoxApi& box);
  CallbackFailures(const CallbackFailures&) = delete;
  CallbackFailures& operator=(const CallbackFailures&) = delete;

  // Runs body; a failure that leaves it is reported. True when body ran to its end.
  template <typename Body>
  bool Run(Body&& body) noexcept {
    try {
      std::forward<Body>(body)();
      return true;
    } catch (const Exception& failure) {
      Report(failure.Message().c_str());
    } catch (const std::exception& failure) {
      Report(failure.what());
    } catch (...) {
      Report(kUnknownFailureMessage);
    }
    return false;
  }

 private:
  // Should the box itself fail, the program ends: there is nowhere left to report to.
  void Report(const char* message) noexcept;

  FailureBoxApi& box_;
  std::string text_;
  const std::string title_;
};

}  // namespace quillmark::win32
