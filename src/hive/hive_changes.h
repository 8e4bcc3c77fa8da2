// The changes a command made, written into a hive opened for writing through hivex, and the
// check of the hive written: that it walks whole and holds what was meant.
#pragma once

#include <hivex.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hive/hive_header.h"
#include "hive/hive_text.h"
#include "stores/overlay_registry.h"

namespace quillmark {

// A value as the hive keeps it: its name in UTF-8, its type, its bytes.
struct HiveValue {
  std::string name;
  std::uint32_t type = 0;
  HiveBytes data;
  friend bool operator==(const HiveValue&, const HiveValue&) = default;
};

// What a key must be after the write: absent, or present with exactly these values.
struct HiveKeyExpectation {
  std::vector<std::string> path;  // UTF-8 names from the hive's root
  std::optional<std::vector<HiveValue>> values;
};
// By the key's path in upper case, the last word on a key winning.
using HiveExpectations = std::map<std::string, HiveKeyExpectation>;

// The values of a key; false when hivex cannot read one of them.
bool ReadHiveValues(hive_h* hive, hive_node_h node, std::vector<HiveValue>& values);

// Writes the changes into the hive, each key's values only when they really change, and says
// whether anything changed. A value written over one of another spelling is spelt as the
// changes show it (through shown, under root): the old spelling, unless it was removed first.
// Raises Exception naming path for what hivex would write wrongly (hive/hive_messages.h); the
// hive in memory then holds some of the changes.
bool ApplyHiveChanges(hive_h* hive, const HiveHeader& header,
                      const std::vector<OverlayRegistry::KeyChanges>& changes, RegistryApi& shown,
                      RootKey root, const std::string& path, HiveExpectations& expected);

// What is wrong with a hive: a key or value the whole walk cannot read; or nothing.
std::string HiveWalkFault(hive_h* hive);

// What is wrong with a written hive: its walk, or a key that is not as expected; or nothing.
std::string HiveWrittenFault(hive_h* hive, const HiveExpectations& expected);

}  // namespace quillmark
