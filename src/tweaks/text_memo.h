// What the engine needs of the information memo: clear it and add lines.
#pragma once

#include <string>
#include <vector>

namespace quillmark {

class TextMemo {
 public:
  virtual ~TextMemo() = default;
  virtual void Clear() = 0;
  virtual void AddLine(const std::string& line) = 0;
  virtual std::vector<std::string> Lines() const = 0;
};

// A memo without a window, for the command line and for tests.
class HeadlessTextMemo final : public TextMemo {
 public:
  void Clear() override { lines_.clear(); }
  void AddLine(const std::string& line) override { lines_.push_back(line); }
  std::vector<std::string> Lines() const override { return lines_; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace quillmark
