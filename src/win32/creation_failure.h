// A window, control or other system object that could not be made ends its owner's work with a
// failure that names what was being made, or the call that failed, and the system's reason.
#pragma once

#include <windows.h>

#include <string>

#include "core/failure_classes.h"

namespace quillmark::win32 {

// Thrown when the making of a window fails, with what the system said of the last error.
class CreationFailure : public Exception {
 public:
  using Exception::Exception;
};

// "<what> could not be created", with the reason of the thread's last error.
[[noreturn]] void ThrowCreationFailure(const char* what);

// "<call> failed", with the system's reason for |error| (taken from GetLastError before anything
// else could change it): for a call whose refusal the program cannot go on from.
[[noreturn]] void ThrowCallFailure(const std::string& call, DWORD error);

}  // namespace quillmark::win32
