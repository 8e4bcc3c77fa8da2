// The fourteen tweaks: the row of each in the tweak list, its caption and its information text,
// and the registry keys and values it consists of.
#pragma once

#include <array>
#include <span>

#include "platform/registry_api.h"

namespace quillmark {

inline constexpr int kTweakCount = 14;

// One key or value of a tweak. value is null where the key itself is the tweak, "" for the
// key's default value; in_force and system_default describe the states as text.
struct FootprintItem {
  RootKey root;
  const char* key;  // absolute from the root, as the engine writes it
  const char* value;
  const char* in_force;
  const char* system_default;
};

struct TweakRow {
  int index;
  const char* caption;
  const char* information;
  std::span<const FootprintItem> footprint;
};

extern const std::array<TweakRow, kTweakCount> kTweakRows;

}  // namespace quillmark
