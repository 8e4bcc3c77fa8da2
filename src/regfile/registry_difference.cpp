#include "regfile/registry_difference.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "regfile/registry_script_lines.h"
#include "registry/key_path.h"

namespace quillmark {

namespace {

using Key = MemoryRegistry::Key;
using StoredValue = MemoryRegistry::StoredValue;

// What a line is about, in the order lines of one key path are listed.
enum class Rank { KeyRemoved, KeyMade, Value };

struct Entry {
  std::vector<std::string> path;  // the root's name first
  Rank rank;
  std::string value_name;
  bool removal;  // of a value: before a making of the same name
  std::string text;
};

std::string Bracketed(const std::vector<std::string>& path) { return KeyLine(JoinKeyNames(path)); }

class Differ {
 public:
  void Keys(const Key& before, const Key& after, std::vector<std::string>& path) {
    Values(before, after, path);
    auto b = before.subkeys.begin();
    auto a = after.subkeys.begin();
    while (b != before.subkeys.end() || a != after.subkeys.end()) {
      const int order = b == before.subkeys.end()  ? 1
                        : a == after.subkeys.end() ? -1
                                                   : CompareNoCase((*b)->name, (*a)->name);
      if (order < 0 || (order == 0 && (*b)->name != (*a)->name)) Removed(**b, path);
      if (order > 0 || (order == 0 && (*b)->name != (*a)->name)) Made(**a, path);
      if (order == 0 && (*b)->name == (*a)->name) {
        path.push_back((*a)->name);
        Keys(**b, **a, path);
        path.pop_back();
      }
      if (order <= 0) ++b;
      if (order >= 0) ++a;
    }
  }

  std::vector<std::string> Lines() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& x, const Entry& y) {
      const std::size_t n = std::min(x.path.size(), y.path.size());
      for (std::size_t i = 0; i < n; ++i) {
        if (const int order = CompareNoCase(x.path[i], y.path[i]); order != 0) return order < 0;
      }
      if (x.path.size() != y.path.size()) return x.path.size() < y.path.size();
      if (x.rank != y.rank) return x.rank < y.rank;
      if (const int order = CompareNoCase(x.value_name, y.value_name); order != 0) {
        return order < 0;
      }
      return x.removal && !y.removal;
    });
    std::vector<std::string> lines;
    for (const Entry& entry : entries_) lines.push_back(entry.text);
    return lines;
  }

 private:
  static std::string Data(const StoredValue& value) { return ScriptData(value); }

  void Values(const Key& before, const Key& after, const std::vector<std::string>& path) {
    const std::string key = Bracketed(path);
    auto b = before.values.begin();
    auto a = after.values.begin();
    while (b != before.values.end() || a != after.values.end()) {
      const int order = b == before.values.end()  ? 1
                        : a == after.values.end() ? -1
                                                  : CompareNoCase(b->first, a->first);
      const bool respelt = order == 0 && b->first != a->first;
      if (order < 0 || respelt) {
        entries_.push_back(
            {path, Rank::Value, b->first, true,
             "- " + key + " " + ScriptValueName(b->first) + " (was " + Data(b->second) + ")"});
      }
      if (order > 0 || respelt) {
        entries_.push_back({path, Rank::Value, a->first, false,
                            "+ " + key + " " + ValueLine(a->first, a->second)});
      }
      if (order == 0 && !respelt &&
          (b->second.type != a->second.type || b->second.data != a->second.data)) {
        entries_.push_back(
            {path, Rank::Value, a->first, false,
             "~ " + key + " " + ValueLine(a->first, a->second) + " (was " + Data(b->second) + ")"});
      }
      if (order <= 0) ++b;
      if (order >= 0) ++a;
    }
  }

  void Removed(const Key& key, std::vector<std::string>& path) {
    path.push_back(key.name);
    entries_.push_back({path, Rank::KeyRemoved, {}, true, "- " + Bracketed(path)});
    for (const auto& subkey : key.subkeys) Removed(*subkey, path);
    path.pop_back();
  }

  void Made(const Key& key, std::vector<std::string>& path) {
    path.push_back(key.name);
    const std::string bracketed = Bracketed(path);
    entries_.push_back({path, Rank::KeyMade, {}, false, "+ " + bracketed});
    for (const auto& [name, value] : key.values) {
      entries_.push_back(
          {path, Rank::Value, name, false, "+ " + bracketed + " " + ValueLine(name, value)});
    }
    for (const auto& subkey : key.subkeys) Made(*subkey, path);
    path.pop_back();
  }

  std::vector<Entry> entries_;
};

}  // namespace

std::vector<std::string> RegistryDifference(const MemoryRegistry& before,
                                            const MemoryRegistry& after) {
  Differ differ;
  for (RootKey root : kRootKeys) {
    std::vector<std::string> path{std::string(RootName(root))};
    differ.Keys(before.Root(root), after.Root(root), path);
  }
  return differ.Lines();
}

}  // namespace quillmark
