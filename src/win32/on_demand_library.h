// A system library loaded at the first call that needs it rather than with the program, so that
// libraries only a click uses (the shell, the common dialogs) cost the start-up nothing. Once
// loaded it stays until its owner goes.
#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace quillmark::win32 {

class OnDemandLibrary {
 public:
  // A file name in the system folder, such as "shell32.dll".
  explicit OnDemandLibrary(const char* file_name) : file_name_(file_name) {}

  // The library's function of that name, loading the library first; null when either is missing.
  template <typename Function>
  Function Find(const char* function_name) {
    // Through the one function type that converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(FindAddress(function_name)));
  }

 private:
  FARPROC FindAddress(const char* function_name);

  const char* file_name_;
  UniqueLibrary module_;
};

}  // namespace quillmark::win32
