#include "tweaks/headless_tweak_list.h"

#include <stdexcept>

namespace quillmark {

void HeadlessTweakList::AppendRow(const std::string& caption) { rows_.push_back({caption}); }

bool HeadlessTweakList::Checked(int row) const {
  return rows_.at(static_cast<std::size_t>(row)).checked;
}

void HeadlessTweakList::SetChecked(int row, bool checked) {
  Row& target = rows_.at(static_cast<std::size_t>(row));
  if (target.checked == checked) return;
  target.checked = checked;
  Changed();
}

void HeadlessTweakList::Select(int row) {
  if (row < -1 || row >= RowCount()) throw std::out_of_range("no such row");
  if (row == selected_) return;
  selected_ = row;
  Changed();
}

const std::string& HeadlessTweakList::Caption(int row) const {
  return rows_.at(static_cast<std::size_t>(row)).caption;
}

std::string HeadlessTweakList::Boxes() const {
  std::string boxes;
  for (const Row& row : rows_) boxes += row.checked ? 'x' : '.';
  return boxes;
}

void HeadlessTweakList::Changed() {
  if (on_change_) on_change_();
}

}  // namespace quillmark
