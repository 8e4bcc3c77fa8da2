#include "tweaks/deployment_script.h"

#include <algorithm>
#include <vector>

#include "core/failure_classes.h"
#include "regfile/registry_script.h"
#include "registry/key_path.h"
#include "registry/registry_key_handle.h"
#include "stores/memory_registry.h"
#include "stores/overlay_registry.h"
#include "stores/registry_reading.h"
#include "tweaks/headless_tweak_list.h"
#include "tweaks/restart_flag.h"
#include "tweaks/text_memo.h"
#include "tweaks/tweak_catalogue.h"
#include "tweaks/tweak_engine.h"

namespace quillmark {

namespace {

struct PartText {
  ScriptPart part;
  const char* what;
};
constexpr PartText kPartTexts[] = {
    {ScriptPart::Whole, "the whole script"},
    {ScriptPart::Machine,
     "the machine part (HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT), for a start-up script or an "
     "administrator"},
    {ScriptPart::User, "the user part (HKEY_CURRENT_USER), for the log-on script of each user"},
};

bool InPart(RootKey root, ScriptPart part) {
  switch (part) {
    case ScriptPart::Whole:
      return true;
    case ScriptPart::Machine:
      return root != RootKey::CurrentUser;
    case ScriptPart::User:
      return root == RootKey::CurrentUser;
  }
  return false;
}

// "0,3,13", "none" or "all", as the rows are given on the command line.
std::string RowsText(const std::string& boxes) {
  if (boxes.find('x') == std::string::npos) return "none";
  if (boxes.find('.') == std::string::npos) return "all";
  std::string rows;
  for (std::size_t row = 0; row < boxes.size(); ++row) {
    if (boxes[row] != 'x') continue;
    if (!rows.empty()) rows += ',';
    rows += std::to_string(row);
  }
  return rows;
}

// A registry holding every key and value the tweaks own, so that the engine removes all it would
// remove anywhere.
MemoryRegistry EverythingOwned() {
  MemoryRegistry seed;
  const std::uint8_t empty = 0;
  for (const FootprintItem& item : OwnedFootprint()) {
    RegKey key = 0;
    std::uint32_t disposition = 0;
    seed.CreateKey(RootHandle(item.root), JoinKeyNames(KeyNames(item.key)).c_str(), kKeyAllAccess,
                   &key, &disposition);
    RegistryKeyHandle held(seed, key);
    if (item.value != nullptr) seed.SetValue(key, item.value, kRegSz, &empty, 1);
  }
  return seed;
}

// Whether a key made below the i-th, which makes it on the way, follows it. The keys below one
// follow it directly, in the order of the key tree.
bool MadeBelow(const std::vector<OverlayRegistry::KeyChanges>& changes, std::size_t i) {
  const OverlayRegistry::KeyChanges& key = changes[i];
  for (std::size_t j = i + 1; j < changes.size(); ++j) {
    const OverlayRegistry::KeyChanges& next = changes[j];
    if (next.root != key.root || next.names.size() <= key.names.size() ||
        !std::equal(key.names.begin(), key.names.end(), next.names.begin())) {
      return false;
    }
    if (next.made) return true;
  }
  return false;
}

}  // namespace

std::string DeploymentScript(const std::string& boxes, ScriptPart part) {
  const RestartFlagKept flag;  // the script's Apply runs on no real registry
  MemoryRegistry seed = EverythingOwned();
  OverlayRegistry overlay(seed);
  HeadlessTweakList list;
  HeadlessTextMemo memo;
  TweakEngine engine(overlay, list, memo);
  engine.SetLvItems();
  for (int row = 0; row < kTweakCount; ++row) {
    list.SetChecked(row, boxes.at(static_cast<std::size_t>(row)) == 'x');
  }
  engine.SetTweaks();
  engine.ProbeAll();

  std::string out;
  AppendScriptLine(out, kRegistryScriptHeader);
  AppendScriptLine(out, "");
  AppendScriptLine(out, "; Deployment script by Quillmark for \"apply " + RowsText(boxes) +
                            "\": imported, it leaves the tweaks' keys");
  AppendScriptLine(
      out, "; and values as that command and its read-back leave them, whatever they were.");
  for (const PartText& text : kPartTexts) {
    if (text.part == part) AppendScriptLine(out, std::string("; This is ") + text.what + ".");
  }
  AppendScriptLine(out, "");
  const std::vector<OverlayRegistry::KeyChanges> changes = overlay.Changes();
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const OverlayRegistry::KeyChanges& key = changes[i];
    if (!InPart(key.root, part)) continue;
    const std::string path = FullKeyPath(key.root, key.names);
    if (!key.made && !key.values.empty()) {
      // A value written in a key opened without creation: whether it lands depends on the key.
      throw Exception("the deployment script cannot state the values of " + path);
    }
    if (key.made && (!key.values.empty() || !MadeBelow(changes, i))) {
      AppendScriptLine(out, KeyLine(path));
      for (const auto& [name, value] : key.values) AppendValueOrRemoval(out, name, value);
      AppendScriptLine(out, "");
    }
    for (const std::string& removed : key.removed) {
      AppendScriptLine(out, RemovedKeyLine(path + "\\" + removed));
      AppendScriptLine(out, "");
    }
  }
  return out;
}

}  // namespace quillmark
