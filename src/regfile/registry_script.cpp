#include "regfile/registry_script.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "core/ascii_case.h"
#include "registry/key_path.h"
#include "registry/registry_key_handle.h"
#include "registry/tregistry.h"

namespace quillmark {

namespace {

constexpr std::string_view kHeader = kRegistryScriptHeader;
constexpr std::string_view kLineEnd = kScriptLineEnd;

struct Step {
  enum class Kind { OpenKey, RemoveKey, SetValue, DeleteValue };
  Kind kind = Kind::OpenKey;
  int line = 0;
  RootKey root = RootKey::CurrentUser;
  std::string path;  // below the root
  std::string name;
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
  bool kept = false;  // a key line below another root, kept as written
};

// The roots of a registry-editor file that the registry here does not hold.
constexpr std::string_view kOtherRoots[] = {"HKEY_USERS", "HKEY_CURRENT_CONFIG"};

bool IsOtherRoot(std::string_view name) {
  for (std::string_view other : kOtherRoots) {
    if (EqualsNoCase(name, other)) return true;
  }
  return false;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// 1 to max_digits hex digits and nothing else.
std::optional<std::uint32_t> ParseHex(std::string_view digits, std::size_t max_digits) {
  if (digits.empty() || digits.size() > max_digits) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    auto digit = HexDigit(c);
    if (!digit) return std::nullopt;
    value = value << 4 | *digit;
  }
  return value;
}

class ScriptReader {
 public:
  // With keep_other_roots, the key sections below the roots the registry does not hold are kept
  // as they were written; without it, they are faults.
  ScriptReader(std::string_view text, bool keep_other_roots) : keep_other_roots_(keep_other_roots) {
    // Lines end at CR LF, LF or a lone CR, as the registry editor writes and reads them.
    while (!text.empty()) {
      const std::size_t end = text.find_first_of("\r\n");
      lines_.push_back(text.substr(0, end));
      if (end == std::string_view::npos) break;
      text.remove_prefix(text.compare(end, 2, kLineEnd) == 0 ? end + 2 : end + 1);
    }
  }

  std::vector<Step> Read() {
    if (lines_.empty() || TrimRight(lines_[0]) != kHeader) {
      Fail(1, "the first line must be \"" + std::string(kHeader) + "\"");
    }
    std::vector<Step> steps;
    bool in_key = false;
    bool in_kept_section = false;
    for (std::size_t index = 1; index < lines_.size(); ++index) {
      const int line = static_cast<int>(index) + 1;
      const std::string_view text = Trim(lines_[index]);
      if (text.empty() || text.front() == ';') continue;
      if (text.front() == '[') {
        Step step = ReadKeyLine(line, text);
        in_key = step.kind == Step::Kind::OpenKey;
        in_kept_section = step.kept;
        if (step.kept) {
          kept_sections_.emplace_back(lines_[index]);
        } else {
          steps.push_back(std::move(step));
        }
      } else if (text.front() == '"' || text.front() == '@') {
        if (!in_key) Fail(line, "a value must follow a key line");
        const std::size_t first = index;
        Step step = ReadValueLine(line, text, index);
        if (in_kept_section) {
          for (std::size_t kept = first; kept <= index; ++kept) {
            kept_sections_.back() += kLineEnd;
            kept_sections_.back() += lines_[kept];
          }
        } else {
          steps.push_back(std::move(step));
        }
      } else {
        Fail(line, "expected a key line \"[...]\", a value line, a comment or a blank line");
      }
    }
    return steps;
  }

  // The sections below other roots, each its key line and value lines joined by CR LF.
  std::vector<std::string> TakeKeptSections() { return std::move(kept_sections_); }

 private:
  [[noreturn]] static void Fail(int line, const std::string& message) {
    throw SnapshotError(line, message);
  }

  Step ReadKeyLine(int line, std::string_view text) {
    if (text.back() != ']') Fail(line, "a key line must end with \"]\"");
    std::string_view body = text.substr(1, text.size() - 2);
    Step step;
    step.line = line;
    if (!body.empty() && body.front() == '-') {
      step.kind = Step::Kind::RemoveKey;
      body.remove_prefix(1);
    }
    const std::vector<std::string_view> parts = KeyPathParts(body);
    const std::string_view root_name = parts.front();
    std::optional<RootKey> root;
    for (RootKey candidate : kRootKeys) {
      if (EqualsNoCase(root_name, RootName(candidate))) root = candidate;
    }
    if (root) {
      step.root = *root;
    } else if (keep_other_roots_ && IsOtherRoot(root_name)) {
      step.kept = true;
    } else {
      Fail(line, "unknown root key \"" + std::string(root_name) + "\"");
    }
    if (parts.size() > 1) {
      for (std::size_t depth = 1; depth < parts.size(); ++depth) {
        const std::string_view name = parts[depth];
        if (name.empty()) Fail(line, "a key path has an empty key name");
        // The store takes names as zero-terminated text: a zero would cut the path short, and
        // "[-HKEY_CURRENT_USER\<zero>]" would name the whole root.
        if (name.find('\0') != std::string_view::npos) Fail(line, "a key name holds a zero byte");
        if (name.size() > kMaxKeyNameLength) {
          Fail(line, "a key name is longer than 255 characters");
        }
        if (depth > kMaxKeyDepth) Fail(line, "keys are nested deeper than 512 levels");
      }
      step.path = std::string(body.substr(root_name.size() + 1));
    }
    if (step.kind == Step::Kind::RemoveKey && step.path.empty()) {
      Fail(line, "a root key cannot be removed");
    }
    return step;
  }

  // Reads a quoted text at text[at] == '"' with the escapes \\ and \"; at ends after the quote.
  static std::string ReadQuoted(int line, std::string_view text, std::size_t& at) {
    std::string result;
    for (++at; at < text.size(); ++at) {
      const char c = text[at];
      if (c == '"') {
        ++at;
        return result;
      }
      if (c == '\\') {
        if (at + 1 >= text.size() || (text[at + 1] != '\\' && text[at + 1] != '"')) {
          Fail(line, "only \\\\ and \\\" may follow a backslash in quotes");
        }
        ++at;
      }
      result += text[at];
    }
    Fail(line, "a quoted text has no closing quote");
  }

  Step ReadValueLine(int line, std::string_view text, std::size_t& index) {
    Step step;
    step.kind = Step::Kind::SetValue;
    step.line = line;
    std::size_t at = 1;
    if (text.front() == '"') {
      at = 0;
      step.name = ReadQuoted(line, text, at);
      if (step.name.size() > kMaxValueNameLength) {
        Fail(line, "a value name is longer than 16383 characters");
      }
      if (step.name.find('\0') != std::string::npos) Fail(line, "a value name holds a zero byte");
    }
    std::string_view rest = TrimLeft(text.substr(at));
    if (rest.empty() || rest.front() != '=') Fail(line, "expected \"=\" after the value name");
    rest = TrimLeft(rest.substr(1));

    if (rest == "-") {
      step.kind = Step::Kind::DeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      at = 0;
      const std::string value = ReadQuoted(line, rest, at);
      if (!Trim(rest.substr(at)).empty()) Fail(line, "unexpected text after the closing quote");
      step.type = kRegSz;
      step.data.assign(value.begin(), value.end());
      step.data.push_back(0);
    } else if (rest.starts_with("dword:")) {
      auto number = ParseHex(Trim(rest.substr(6)), 8);
      if (!number) Fail(line, "dword: must be followed by 1 to 8 hex digits");
      step.type = kRegDword;
      for (int shift = 0; shift < 32; shift += 8) {
        step.data.push_back(static_cast<std::uint8_t>(*number >> shift));
      }
    } else if (rest.starts_with("hex")) {
      ReadHexValue(line, rest.substr(3), index, step);
    } else {
      Fail(line, "expected \"text\", dword:, hex:, hex(N): or - after \"=\"");
    }
    return step;
  }

  void ReadHexValue(int line, std::string_view rest, std::size_t& index, Step& step) {
    step.type = kRegBinary;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      auto type =
          close == std::string_view::npos ? std::nullopt : ParseHex(rest.substr(1, close - 1), 8);
      if (!type) Fail(line, "hex( must be followed by 1 to 8 hex digits and \")\"");
      step.type = *type;
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != ':') Fail(line, "expected \":\" after hex");
    std::string bytes(rest.substr(1));
    // A line ending in a backslash continues on the next one.
    while (!TrimRight(bytes).empty() && TrimRight(bytes).back() == '\\') {
      bytes.resize(TrimRight(bytes).size() - 1);
      if (++index >= lines_.size()) Fail(line, "hex data continues past the end of the script");
      bytes += TrimLeft(lines_[index]);
    }
    std::string_view list = Trim(bytes);
    while (!list.empty()) {
      const std::size_t comma = list.find(',');
      auto byte = ParseHex(Trim(list.substr(0, comma)), 2);
      if (!byte) Fail(line, "hex data must be two-digit hex bytes separated by commas");
      step.data.push_back(static_cast<std::uint8_t>(*byte));
      if (comma == std::string_view::npos) break;
      list.remove_prefix(comma + 1);
      if (Trim(list).empty()) Fail(line, "hex data ends with a comma");
    }
  }

  std::vector<std::string_view> lines_;
  bool keep_other_roots_;
  std::vector<std::string> kept_sections_;
};

void Apply(RegistryApi& store, const std::vector<Step>& steps) {
  RegistryKeyHandle current;
  for (const Step& step : steps) {
    const auto refuse = [&](const std::string& what, RegStatus status) {
      throw SnapshotError(step.line, what + " (error " + std::to_string(status) + ")");
    };
    switch (step.kind) {
      case Step::Kind::OpenKey: {
        current.reset();
        RegKey key = 0;
        std::uint32_t disposition = 0;
        const RegStatus status = store.CreateKey(RootHandle(step.root), step.path.c_str(),
                                                 kKeyAllAccess, &key, &disposition);
        if (status != kErrorSuccess)
          refuse("cannot create " + FullKeyPath(step.root, step.path), status);
        current = RegistryKeyHandle(store, key);
        break;
      }
      case Step::Kind::RemoveKey: {
        current.reset();
        TRegistry registry(store);
        registry.SelectRoot(step.root);
        const std::string path = "\\" + step.path;
        if (!registry.RemoveKey(path) && registry.KeyPresent(path)) {
          throw SnapshotError(step.line, "cannot remove " + FullKeyPath(step.root, step.path));
        }
        break;
      }
      case Step::Kind::SetValue: {
        const RegStatus status =
            store.SetValue(current.get(), step.name.c_str(), step.type, step.data.data(),
                           static_cast<std::uint32_t>(step.data.size()));
        if (status != kErrorSuccess) refuse("cannot set the value \"" + step.name + "\"", status);
        break;
      }
      case Step::Kind::DeleteValue: {
        const RegStatus status = store.DeleteValue(current.get(), step.name.c_str());
        if (status != kErrorSuccess && status != kErrorFileNotFound) {
          refuse("cannot delete the value \"" + step.name + "\"", status);
        }
        break;
      }
    }
  }
}

MemoryRegistry Loaded(const std::vector<Step>& steps) {
  MemoryRegistry registry;
  Apply(registry, steps);
  return registry;
}

void SaveKey(const MemoryRegistry::Key& key, const std::string& path, bool listed,
             std::string& out) {
  if (listed) {
    if (HasLineBreak(key.name))
      throw SnapshotError(0, "a key name with a line break cannot be saved");
    AppendScriptLine(out, KeyLine(path));
    for (const auto& [name, value] : key.values) AppendValueLine(out, name, value);
    AppendScriptLine(out, "");
  }
  for (const auto& subkey : key.subkeys) {
    SaveKey(*subkey, path + "\\" + subkey->name, true, out);
  }
}

}  // namespace

void AppendKeyTree(std::string& out, const MemoryRegistry::Key& key, const std::string& path) {
  SaveKey(key, path, true, out);
}

SnapshotError::SnapshotError(int line, const std::string& message)
    : Exception(line > 0 ? "line " + std::to_string(line) + ": " + message : message),
      line_(line) {}

void ApplyRegistryScript(RegistryApi& store, std::string_view text) {
  Apply(store, ScriptReader(text, false).Read());
}

MemoryRegistry LoadSnapshot(std::string_view text) {
  return Loaded(ScriptReader(text, false).Read());
}

SnapshotDocument LoadSnapshotDocument(std::string_view text) {
  ScriptReader reader(text, true);
  MemoryRegistry registry = Loaded(reader.Read());
  return {std::move(registry), reader.TakeKeptSections()};
}

std::string SaveSnapshot(const MemoryRegistry& registry) {
  std::string out(kHeader);
  out += kLineEnd;
  out += kLineEnd;
  for (RootKey root : kRootKeys) {
    const MemoryRegistry::Key& key = registry.Root(root);
    SaveKey(key, key.name, !key.values.empty(), out);
  }
  return out;
}

std::string SaveSnapshotDocument(const SnapshotDocument& document) {
  std::string out = SaveSnapshot(document.registry);
  for (const std::string& section : document.kept_sections) {
    out += section;
    out += kLineEnd;
    out += kLineEnd;
  }
  return out;
}

}  // namespace quillmark
