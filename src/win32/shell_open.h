// Opening an address with whatever the shell associates with it (for a web address, the
// default browser).
#pragma once

#include <windows.h>
//
#include <shellapi.h>

#include <string>

#include "app/about_box.h"

namespace quillmark::win32 {

class Win32ShellOpen final : public ShellOpen {
 public:
  explicit Win32ShellOpen(HWND owner) : owner_(owner) {}

  // The result is ignored on purpose: when nothing can open the address, nothing is reported.
  void Open(const std::string& target) override {
    ShellExecuteA(owner_, "Open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }

 private:
  HWND owner_;
};

}  // namespace quillmark::win32
