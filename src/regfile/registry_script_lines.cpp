#include "regfile/registry_script_lines.h"

#include "regfile/registry_script.h"

namespace quillmark {

namespace {

constexpr std::size_t kHexLineWidth = 78;  // hex data is wrapped before this column

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// REG_SZ data that reads back byte for byte from "text": one terminating zero, no other zero,
// no line break.
bool IsPlainText(const std::vector<std::uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  }
  return true;
}

constexpr char kDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& line, std::uint8_t byte) {
  line += kDigits[byte >> 4];
  line += kDigits[byte & 0xF];
}

// "text", dword:... or hex...: with the bytes still to come, which the caller lays out.
std::string DataPrefix(const MemoryRegistry::StoredValue& value, bool& hex) {
  hex = false;
  if (value.type == kRegSz && IsPlainText(value.data)) {
    return Quoted(
        std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
  }
  if (value.type == kRegDword && value.data.size() == 4) {
    std::string line = "dword:";
    for (int i = 3; i >= 0; --i) AppendHexByte(line, value.data[static_cast<std::size_t>(i)]);
    return line;
  }
  hex = true;
  if (value.type == kRegBinary) return "hex:";
  std::string type;
  for (std::uint32_t t = value.type; t != 0 || type.empty(); t >>= 4) {
    type.insert(type.begin(), kDigits[t & 0xF]);
  }
  return "hex(" + type + "):";
}

}  // namespace

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

void AppendScriptLine(std::string& out, std::string_view line) {
  out += line;
  out += kScriptLineEnd;
}

std::string KeyLine(std::string_view path) { return "[" + std::string(path) + "]"; }

std::string RemovedKeyLine(std::string_view path) { return "[-" + std::string(path) + "]"; }

std::string ScriptValueName(const std::string& name) { return name.empty() ? "@" : Quoted(name); }

std::string ScriptData(const MemoryRegistry::StoredValue& value) {
  bool hex = false;
  std::string data = DataPrefix(value, hex);
  if (!hex) return data;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    if (i > 0) data += ',';
    AppendHexByte(data, value.data[i]);
  }
  return data;
}

void AppendValueLine(std::string& out, const std::string& name,
                     const MemoryRegistry::StoredValue& value) {
  if (HasLineBreak(name)) throw SnapshotError(0, "a value name with a line break cannot be saved");
  bool hex = false;
  std::string line = ScriptValueName(name) + "=" + DataPrefix(value, hex);
  if (hex) {
    const std::vector<std::uint8_t>& bytes = value.data;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i > 0 && line.size() + 3 > kHexLineWidth) {
        AppendScriptLine(out, line + "\\");
        line = "  ";
      }
      AppendHexByte(line, bytes[i]);
      if (i + 1 < bytes.size()) line += ',';
    }
  }
  AppendScriptLine(out, line);
}

void AppendValueOrRemoval(std::string& out, const std::string& name,
                          const std::optional<MemoryRegistry::StoredValue>& value) {
  if (value) {
    AppendValueLine(out, name, *value);
  } else {
    AppendScriptLine(out, RemovedValueLine(name));
  }
}

std::string ValueLine(const std::string& name, const MemoryRegistry::StoredValue& value) {
  return ScriptValueName(name) + "=" + ScriptData(value);
}

std::string RemovedValueLine(const std::string& name) { return ScriptValueName(name) + "=-"; }

MemoryRegistry::StoredValue TextValue(std::string_view text) {
  MemoryRegistry::StoredValue value{kRegSz, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

MemoryRegistry::StoredValue DwordValue(std::uint32_t number) {
  return {kRegDword,
          {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
           static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

}  // namespace quillmark
