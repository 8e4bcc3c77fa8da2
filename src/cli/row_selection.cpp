#include "cli/row_selection.h"

#include <optional>
#include <string_view>

#include "cli/row_names.h"
#include "cli/usage_errors.h"

namespace quillmark {

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int RowIndex(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  const std::string_view significant =
      first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
  if (significant.size() > 2 || std::stoi(std::string(significant)) >= kTweakCount) {
    throw UsageError(kUsageNoSuchRow, std::string(digits));
  }
  return std::stoi(std::string(significant));
}

std::optional<int> RowNamed(std::string_view name) {
  for (int row = 0; row < kTweakCount; ++row) {
    if (name == kRowNames[static_cast<std::size_t>(row)]) return row;
  }
  return std::nullopt;
}

void Tick(std::string_view item, const std::string& text, std::string& boxes) {
  if (item.empty()) throw UsageError(kUsageEmptyRow, text);
  if (item == "all" || item == "none") throw UsageError(kUsageStandsAlone, std::string(item));
  if (const std::optional<int> row = RowNamed(item)) {
    boxes[static_cast<std::size_t>(*row)] = 'x';
    return;
  }
  const std::size_t dash = item.find('-');
  if (AllDigits(item)) {
    boxes[static_cast<std::size_t>(RowIndex(item))] = 'x';
  } else if (dash != std::string_view::npos && AllDigits(item.substr(0, dash)) &&
             AllDigits(item.substr(dash + 1))) {
    const int first = RowIndex(item.substr(0, dash));
    const int last = RowIndex(item.substr(dash + 1));
    if (last < first) throw UsageError(kUsageBackwardRange, std::string(item));
    for (int row = first; row <= last; ++row) boxes[static_cast<std::size_t>(row)] = 'x';
  } else if (AllDigits(item.substr(0, 1))) {
    throw UsageError(kUsageNoSuchRow, std::string(item));
  } else {
    throw UsageError(kUsageNoRowNamed, std::string(item));
  }
}

}  // namespace

std::string ParseRows(const std::string& text) {
  std::string boxes(kTweakCount, '.');
  if (text == "none") return boxes;
  if (text == "all") return std::string(kTweakCount, 'x');
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    Tick(rest.substr(0, comma), text, boxes);
    if (comma == std::string_view::npos) return boxes;
    rest.remove_prefix(comma + 1);
  }
}

}  // namespace quillmark
