// What the engine needs of the tweak list: rows with a caption and a check box, the selected
// row, and a change report raised when a box really changes or the selection moves.
#pragma once

#include <functional>
#include <string>

namespace quillmark {

class TweakList {
 public:
  virtual ~TweakList() = default;

  virtual void AppendRow(const std::string& caption) = 0;
  virtual int RowCount() const = 0;
  virtual bool Checked(int row) const = 0;
  // Setting a box to the state it has changes nothing and reports nothing.
  virtual void SetChecked(int row, bool checked) = 0;
  // The selected row, or -1.
  virtual int SelectedIndex() const = 0;
  virtual void SetOnChange(std::function<void()> on_change) = 0;
};

}  // namespace quillmark
