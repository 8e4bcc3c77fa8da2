#include "tweaks/backup_script.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "core/ascii_case.h"
#include "regfile/registry_script.h"
#include "registry/key_path.h"
#include "registry/registry_key_handle.h"
#include "stores/registry_reading.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark {

namespace {

// The header; the line at kTimeLine is completed with the time.
constexpr std::size_t kTimeLine = 2;
constexpr std::string_view kHeaderLines[] = {
    kRegistryScriptHeader,
    "",
    "; Backup by Quillmark of the keys and values its tweaks own, taken ",
    "; Importing it puts them back as they were then; it removes no other key, and leaves every",
    "; other value as it is.",
    "",
};

bool SameKey(const FootprintItem& a, const FootprintItem& b) {
  return a.root == b.root &&
         EqualsNoCase(JoinKeyNames(KeyNames(a.key)), JoinKeyNames(KeyNames(b.key)));
}

// An owned key: removed, then put back whole if it is there now.
void AppendOwnedKey(std::string& out, RegistryApi& store, const FootprintItem& item) {
  const SpelledPath spelled = SpellPath(store, item.root, KeyNames(item.key));
  const std::string path = FullKeyPath(item.root, spelled.names);
  AppendScriptLine(out, RemovedKeyLine(path));
  AppendScriptLine(out, "");
  MemoryRegistry tree;
  if (!spelled.exists || !CopyKey(store, item.root, spelled.names, tree, true)) return;
  if (const MemoryRegistry::Key* key = FindKey(tree, item.root, spelled.names)) {
    AppendKeyTree(out, *key, path);
  }
}

// The owned values of one key: each as it is now, or removed.
void AppendOwnedValues(std::string& out, RegistryApi& store, RootKey root, const char* key_path,
                       const std::vector<const char*>& names) {
  const SpelledPath spelled = SpellPath(store, root, KeyNames(key_path));
  RegistryKeyHandle key;
  if (spelled.exists) {
    RegKey opened = 0;
    if (store.OpenKey(RootHandle(root), JoinKeyNames(spelled.names).c_str(), kKeyRead, &opened) ==
        kErrorSuccess) {
      key = RegistryKeyHandle(store, opened);
    }
  }
  AppendScriptLine(out, KeyLine(FullKeyPath(root, spelled.names)));
  for (const char* name : names) {
    std::optional<MemoryRegistry::StoredValue> value;
    if (key) value = ReadStoredValue(store, key.get(), name);
    AppendValueOrRemoval(out, name, value);
  }
  AppendScriptLine(out, "");
}

}  // namespace

std::string BackupTime(std::chrono::system_clock::time_point taken) {
  using namespace std::chrono;
  const auto seconds = floor<std::chrono::seconds>(taken);
  const auto day = floor<days>(seconds);
  const year_month_day date(day);
  const hh_mm_ss time(seconds - day);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d UTC",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
  return text;
}

std::string BackupScript(RegistryApi& store, const std::string& taken) {
  std::string out;
  for (std::size_t i = 0; i < std::size(kHeaderLines); ++i) {
    AppendScriptLine(out, i == kTimeLine ? std::string(kHeaderLines[i]) + taken + "."
                                         : std::string(kHeaderLines[i]));
  }
  const std::vector<FootprintItem> owned = OwnedFootprint();
  for (const FootprintItem& item : owned) {
    if (item.value == nullptr) AppendOwnedKey(out, store, item);
  }
  // The values grouped by their key, in the order the keys first appear.
  std::vector<std::pair<const FootprintItem*, std::vector<const char*>>> keys;
  for (const FootprintItem& item : owned) {
    if (item.value == nullptr) continue;
    auto it = std::find_if(keys.begin(), keys.end(),
                           [&](const auto& key) { return SameKey(*key.first, item); });
    if (it == keys.end()) it = keys.insert(keys.end(), {&item, {}});
    it->second.push_back(item.value);
  }
  for (const auto& [item, names] : keys)
    AppendOwnedValues(out, store, item->root, item->key, names);
  return out;
}

}  // namespace quillmark
