// The information memo as a read-only multi-line edit control.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tweaks/text_memo.h"

namespace quillmark::win32 {

class Win32Memo final : public TextMemo {
 public:
  explicit Win32Memo(HWND edit) : edit_(edit) {}

  void Clear() override {
    lines_.clear();
    SetWindowTextA(edit_, "");
  }
  void AddLine(const std::string& line) override {
    lines_.push_back(line);
    std::string text;
    for (const std::string& each : lines_) text += (text.empty() ? "" : "\r\n") + each;
    SetWindowTextA(edit_, text.c_str());
  }
  std::vector<std::string> Lines() const override { return lines_; }

 private:
  HWND edit_;
  std::vector<std::string> lines_;
};

}  // namespace quillmark::win32
