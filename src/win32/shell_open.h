// Opening an address with whatever the shell associates with it (for a web address, the
// default browser).
#pragma once

#include <windows.h>
//
#include <shellapi.h>

#include <string>

#include "app/about_box.h"
#include "win32/on_demand_library.h"

namespace quillmark::win32 {

class Win32ShellOpen final : public ShellOpen {
 public:
  explicit Win32ShellOpen(HWND owner) : owner_(owner) {}

  // The result is ignored on purpose: when nothing can open the address, nothing is reported.
  void Open(const std::string& target) override {
    if (const auto execute = shell_.Find<decltype(&ShellExecuteA)>("ShellExecuteA"))
      execute(owner_, "Open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }

 private:
  HWND owner_;
  // Loaded at the first address opened: the shell is a large library that start-up never needs.
  OnDemandLibrary shell_{"shell32.dll"};
};

}  // namespace quillmark::win32
