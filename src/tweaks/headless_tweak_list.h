// A tweak list without a window, for the command line and for tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tweaks/tweak_list.h"

namespace quillmark {

class HeadlessTweakList final : public TweakList {
 public:
  void AppendRow(const std::string& caption) override;
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  bool Checked(int row) const override;
  void SetChecked(int row, bool checked) override;
  int SelectedIndex() const override { return selected_; }
  void SetOnChange(std::function<void()> on_change) override { on_change_ = std::move(on_change); }

  // Selects a row (-1 for none), reporting a change when the selection moves.
  void Select(int row);
  const std::string& Caption(int row) const;
  // The boxes as text, "x" for ticked and "." for not: "x.x..." for rows 0 and 2 ticked.
  std::string Boxes() const;

 private:
  struct Row {
    std::string caption;
    bool checked = false;
  };
  void Changed();

  std::vector<Row> rows_;
  int selected_ = -1;
  std::function<void()> on_change_;
};

}  // namespace quillmark
