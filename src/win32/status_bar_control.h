// The status bar with one simple text.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

#include <string>

#include "app/shell_controls.h"

namespace quillmark::win32 {

class Win32StatusBar final : public StatusBar {
 public:
  explicit Win32StatusBar(HWND bar) : bar_(bar) { SendMessageA(bar_, SB_SIMPLE, TRUE, 0); }

  void SetText(const std::string& text) override {
    text_ = text;
    SendMessageA(bar_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text_.c_str()));
  }
  std::string Text() const override { return text_; }

 private:
  HWND bar_;
  std::string text_;
};

}  // namespace quillmark::win32
