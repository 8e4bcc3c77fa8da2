// A window's text as a std::string.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quillmark::win32 {

inline std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace quillmark::win32
