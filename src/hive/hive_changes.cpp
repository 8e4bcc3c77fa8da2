#include "hive/hive_changes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <unordered_set>
#include <utility>

#include "core/ascii_case.h"
#include "fileio/file_failure.h"
#include "hive/hive_handle.h"
#include "hive/hive_messages.h"
#include "registry/key_path.h"
#include "registry/registry_key_handle.h"
#include "stores/registry_reading.h"

namespace quillmark {

namespace {

// The most a value may hold in one data cell; beyond it, hives of minor version 4 and later
// need big-data records.
constexpr std::size_t kLargestSingleCell = 16344;

std::string PathText(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += "\\" + name;
  return text.empty() ? "\\" : text;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(AsciiUpper(static_cast<unsigned char>(c)));
  return upper;
}

std::string PathKey(const std::vector<std::string>& names) { return Upper(PathText(names)); }

std::string ValueText(const std::vector<std::string>& key, const std::string& name) {
  return "[" + PathText(key) + "] " + (name.empty() ? "@" : "\"" + name + "\"");
}

std::string Reason(int error) { return std::strerror(error); }

bool IsBig(const HiveValue& value) { return value.data.size() > kLargestSingleCell; }

// Applies one key's changes; path is the key's, in UTF-8 from the hive's root.
class KeyWriter {
 public:
  KeyWriter(hive_h* hive, const HiveHeader& header, RegistryApi& shown, RootKey root,
            const std::string& file)
      : hive_(hive), header_(header), shown_(shown), root_(root), file_(file) {}

  bool changed() const { return changed_; }

  void Apply(const OverlayRegistry::KeyChanges& key, HiveExpectations& expected) {
    std::vector<std::string> path;
    hive_node_h node = hivex_root(hive_);
    for (const std::string& name : key.names) {
      path.push_back(NameToHive(name));
      hive_node_h child = hivex_node_get_child(hive_, node, path.back().c_str());
      if (child == 0 && !key.made) return;  // under a key removed by now
      if (child == 0) {
        if (!IsAscii(name)) FailOnFile(file_, kHiveNewKeyNotAscii, "[" + PathText(path) + "]");
        child = hivex_node_add_child(hive_, node, path.back().c_str());
        if (child == 0) FailOnFile(file_, kHiveNotReadBack, Reason(errno));
        changed_ = true;
      }
      node = child;
    }
    for (const std::string& removed : key.removed) {
      std::vector<std::string> child_path = path;
      child_path.push_back(NameToHive(removed));
      if (hive_node_h child = hivex_node_get_child(hive_, node, child_path.back().c_str())) {
        if (hivex_node_delete_child(hive_, child) != 0) {
          FailOnFile(file_, kHiveNotReadBack, Reason(errno));
        }
        changed_ = true;
      }
      expected[PathKey(child_path)] = {child_path, std::nullopt};
    }
    std::vector<HiveValue> current;
    if (!ReadHiveValues(hive_, node, current)) {
      FailOnFile(file_, kHiveIsDamaged, "the values of [" + PathText(path) + "]");
    }
    std::vector<HiveValue> final_values = current;
    const std::set<std::string> shown =
        key.values.empty() ? std::set<std::string>{} : Shown(key.names);
    for (const auto& change : key.values) {
      const std::string& name = change.first;
      const std::optional<MemoryRegistry::StoredValue>& value = change.second;
      const std::string hive_name = NameToHive(name);
      auto it = std::find_if(final_values.begin(), final_values.end(), [&](const HiveValue& v) {
        return EqualsNoCase(NameFromHive(v.name), name);
      });
      const bool existed = it != final_values.end();
      if (!value) {
        if (existed) final_values.erase(it);
        continue;
      }
      if (!existed && !IsAscii(name)) {
        FailOnFile(file_, kHiveNewValueNotAscii, ValueText(path, hive_name));
      }
      HiveValue written{hive_name, value->type, DataToHive(value->type, value->data)};
      if (header_.NeedsBigDataRecords() && IsBig(written)) {
        FailOnFile(file_, kHiveValueTooBig, ValueText(path, hive_name));
      }
      if (existed) {
        // An overwritten value keeps its spelling, as on Windows; one removed first is new.
        if (!shown.contains(name)) written.name = it->name;
        *it = std::move(written);
      } else {
        final_values.push_back(std::move(written));
      }
    }
    if (final_values != current) {
      if (header_.NeedsBigDataRecords() && std::any_of(current.begin(), current.end(), IsBig)) {
        FailOnFile(file_, kHiveKeyHoldsBigValue, "[" + PathText(path) + "]");
      }
      std::vector<hive_set_value> set;
      for (HiveValue& value : final_values) {
        set.push_back({value.name.data(), hive_t_none, value.data.size(),
                       reinterpret_cast<char*>(value.data.data())});
        SetType(set.back(), value.type);
      }
      if (hivex_node_set_values(hive_, node, set.size(), set.data(), 0) != 0) {
        FailOnFile(file_, kHiveNotReadBack, Reason(errno));
      }
      changed_ = true;
    }
    expected[PathKey(path)] = {path, std::move(final_values)};
  }

 private:
  // The value names of a key as the changes show it, spelt as they show them.
  std::set<std::string> Shown(const std::vector<std::string>& names) {
    RegKey key = 0;
    const std::string path = JoinKeyNames(names);
    if (shown_.OpenKey(RootHandle(root_), path.c_str(), kKeyRead, &key) != kErrorSuccess) {
      return {};
    }
    RegistryKeyHandle held(shown_, key);
    const std::vector<std::string> values = ValueNames(shown_, key);
    return {values.begin(), values.end()};
  }

  hive_h* hive_;
  const HiveHeader& header_;
  RegistryApi& shown_;
  RootKey root_;
  const std::string& file_;
  bool changed_ = false;
};

bool SameValues(std::vector<HiveValue> a, std::vector<HiveValue> b) {
  const auto by_name = [](const HiveValue& x, const HiveValue& y) { return x.name < y.name; };
  std::sort(a.begin(), a.end(), by_name);
  std::sort(b.begin(), b.end(), by_name);
  return a == b;
}

}  // namespace

bool ReadHiveValues(hive_h* hive, hive_node_h node, std::vector<HiveValue>& values) {
  values.clear();
  errno = 0;
  HivexMemory<hive_value_h> handles(hivex_node_values(hive, node));
  if (!handles) return false;
  for (const hive_value_h* value = handles.get(); *value != 0; ++value) {
    HivexMemory<char> name(hivex_value_key(hive, *value));
    std::uint32_t type = 0;
    std::size_t length = 0;
    HivexMemory<char> data(hivex_value_value(hive, *value, TypeSlot(type), &length));
    if (!name || !data) return false;
    const auto* first = reinterpret_cast<const std::uint8_t*>(data.get());
    values.push_back({name.get(), type, HiveBytes(first, first + length)});
  }
  return true;
}

bool ApplyHiveChanges(hive_h* hive, const HiveHeader& header,
                      const std::vector<OverlayRegistry::KeyChanges>& changes, RegistryApi& shown,
                      RootKey root, const std::string& path, HiveExpectations& expected) {
  KeyWriter writer(hive, header, shown, root, path);
  for (const OverlayRegistry::KeyChanges& key : changes) writer.Apply(key, expected);
  return writer.changed();
}

std::string HiveWalkFault(hive_h* hive) {
  const hive_node_h root = hivex_root(hive);
  if (root == 0) return "it has no root key";
  // Only a fault needs a key's path: it is spelt then, from the key up.
  const auto where = [hive, root](hive_node_h node) {
    std::vector<std::string> names;
    for (int depth = 0; node != root && node != 0 && depth < 600; ++depth) {
      HivexMemory<char> name(hivex_node_name(hive, node));
      names.insert(names.begin(), name ? name.get() : "?");
      node = hivex_node_parent(hive, node);
    }
    return "[" + PathText(names) + "]";
  };
  std::vector<hive_node_h> pending{root};
  std::vector<HiveValue> values;
  std::unordered_set<hive_node_h> seen;  // a damaged hive may lead back to a key it passed
  while (!pending.empty()) {
    const hive_node_h node = pending.back();
    pending.pop_back();
    if (!seen.insert(node).second) return where(node) + " is reached twice in its tree";
    HivexMemory<char> name(hivex_node_name(hive, node));
    if (!name) return "a key below " + where(hivex_node_parent(hive, node)) + " cannot be read";
    if (!ReadHiveValues(hive, node, values))
      return "the values of " + where(node) + " cannot be read";
    HivexMemory<hive_node_h> children(hivex_node_children(hive, node));
    if (!children) return "the subkeys of " + where(node) + " cannot be read";
    for (const hive_node_h* child = children.get(); *child != 0; ++child) pending.push_back(*child);
  }
  return {};
}

std::string HiveWrittenFault(hive_h* hive, const HiveExpectations& expected) {
  if (std::string fault = HiveWalkFault(hive); !fault.empty()) return fault;
  for (const auto& [key, expectation] : expected) {
    hive_node_h node = hivex_root(hive);
    for (const std::string& name : expectation.path) {
      node = node == 0 ? 0 : hivex_node_get_child(hive, node, name.c_str());
    }
    const std::string where = "[" + PathText(expectation.path) + "]";
    if (!expectation.values) {
      if (node != 0) return where + " is still there";
      continue;
    }
    if (node == 0) return where + " is missing";
    std::vector<HiveValue> values;
    if (!ReadHiveValues(hive, node, values)) return "the values of " + where + " cannot be read";
    if (!SameValues(values, *expectation.values)) return "the values of " + where + " differ";
  }
  return {};
}

}  // namespace quillmark
