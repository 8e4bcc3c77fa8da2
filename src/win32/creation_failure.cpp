#include "win32/creation_failure.h"

namespace quillmark::win32 {
namespace {

// The system's text for an error, without its line end; empty when it has none.
std::string SystemText(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer ? buffer : "", length);
  if (buffer) LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

// The message with the system's reason for the error, when there is one.
std::string WithReason(std::string message, DWORD error) {
  if (error != ERROR_SUCCESS) {
    const std::string reason = SystemText(error);
    message += reason.empty() ? " (error " + std::to_string(error) + ")" : ": " + reason;
  }
  return message;
}

}  // namespace

void ThrowCreationFailure(const char* what) {
  const DWORD error = GetLastError();
  throw CreationFailure(WithReason(std::string(what) + " could not be created", error));
}

void ThrowCallFailure(const std::string& call, DWORD error) {
  throw Exception(WithReason(call + " failed", error));
}

}  // namespace quillmark::win32
