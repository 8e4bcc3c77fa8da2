#include "cli/json_output.h"

#include <cstdio>

#include "cli/row_names.h"
#include "regfile/windows_1252.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark {

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : Windows1252ToUtf8(text)) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// The fields every row has, up to the last one's name.
void RowStart(int row, std::ostream& out) {
  const std::size_t at = static_cast<std::size_t>(row);
  out << "    {\"index\": " << row << ", \"name\": " << Quoted(kRowNames[at])
      << ", \"caption\": " << Quoted(kTweakRows[at].caption) << ", ";
}

}  // namespace

void PrintRowsJson(const HeadlessTweakList& list, const std::optional<std::string>& failure,
                   std::ostream& out) {
  out << "{\n  \"rows\": [\n";
  for (int row = 0; row < list.RowCount(); ++row) {
    RowStart(row, out);
    out << "\"state\": \"" << (list.Checked(row) ? "ticked" : "unticked") << "\"}"
        << (row + 1 < list.RowCount() ? ",\n" : "\n");
  }
  out << "  ],\n  \"read_back\": " << (failure ? "false" : "true")
      << ",\n  \"error\": " << (failure ? Quoted(*failure) : "null") << "\n}\n";
}

void PrintCatalogueJson(std::ostream& out) {
  out << "{\n  \"rows\": [\n";
  for (int row = 0; row < kTweakCount; ++row) {
    RowStart(row, out);
    out << "\"information\": " << Quoted(kTweakRows[static_cast<std::size_t>(row)].information)
        << "}" << (row + 1 < kTweakCount ? ",\n" : "\n");
  }
  out << "  ]\n}\n";
}

}  // namespace quillmark
