// The failures this program raises. Every one carries the message text that the failure box
// shows; nothing carries a platform error code except the I/O code of EInOutError.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace quillmark {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Raised by TRegistry.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// Raised by the text-file check, with the pending I/O code.
class EInOutError : public Exception {
 public:
  EInOutError(int error_code, std::string message)
      : Exception(std::move(message)), error_code_(error_code) {}
  int ErrorCode() const noexcept { return error_code_; }

 private:
  int error_code_;
};

}  // namespace quillmark
