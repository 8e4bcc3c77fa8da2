// The fourteen tweaks: the row of each in the tweak list, its caption and its information text,
// and the registry keys and values it consists of.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "registry/registry_api.h"

namespace quillmark {

inline constexpr int kTweakCount = 14;

// The tweaks, in the order of their rows.
enum class Tweak {
  CopyTo,
  MoveTo,
  EndTasks,
  MenuShowDelay,
  LowDiskCheck,
  ShortcutSearch,
  InternetOpenWith,
  TakeOwnership,
  NetworkPrinters,
  CommandPromptHere,
  OpenWithNotepad,
  DeleteFolderContent,
  MouseHoverTime,
  Uac,
};

// The row of a tweak in the tweak list.
constexpr int RowOf(Tweak tweak) { return static_cast<int>(tweak); }
static_assert(RowOf(Tweak::Uac) + 1 == kTweakCount);

// One thing a tweak owns: a key with everything below it (value null), which the tweak makes
// and removes whole, or one value of a key ("" for its default value), which it writes or
// removes. Apply, Defaults and the probes change nothing else but the keys on the way to these.
struct FootprintItem {
  RootKey root;
  const char* key;  // absolute from the root, as the engine writes it
  const char* value;
};

struct TweakRow {
  Tweak tweak;
  const char* caption;
  const char* information;
  std::span<const FootprintItem> footprint;
};

extern const std::array<TweakRow, kTweakCount> kTweakRows;

// What Apply and Defaults write whatever the rows say: the default value of "\Directory\shell".
extern const std::span<const FootprintItem> kSharedFootprint;

// Everything the tweaks own: the rows' items in row order, then the shared ones.
std::vector<FootprintItem> OwnedFootprint();

}  // namespace quillmark
