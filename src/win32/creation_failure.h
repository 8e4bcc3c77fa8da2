// A window or control that could not be made ends its owner's construction with a failure that
// names what was being made and the system's reason.
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

[[noreturn]] void ThrowCreationFailure(const char* what);

}  // namespace quillmark::win32
