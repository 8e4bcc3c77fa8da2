// The engine over hive files against the engine over the memory store: random registry states
// around the tweaks' keys, made once as a memory store and once as three hives (one for each
// root), and random commands over both, some with a call refused. The rows, the message and the
// whole tree afterwards must be the same; the hives are read back by regfexport.
#include <gtest/gtest.h>
#include <hivex.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/engine_command.h"
#include "hive/hive_files.h"
#include "hive/hives_by_root.h"
#include "regfile/registry_script.h"
#include "support/files.h"
#include "support/random_states.h"
#include "support/watched_store.h"
#include "tweaks/headless_tweak_list.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;
using Key = MemoryRegistry::Key;
using Bytes = std::vector<std::uint8_t>;

// regfexport prints binary data of up to four bytes shifted by one byte: such values are
// compared by type and size there, and by their bytes through hivex.
constexpr std::size_t kShiftedUpTo = 4;

bool IsText(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The bytes the hive keeps: the tests' states are ASCII, one UTF-16 unit a byte.
Bytes AsHiveKeepsIt(const MemoryRegistry::StoredValue& value) {
  if (!IsText(value.type)) return value.data;
  Bytes wide;
  for (std::uint8_t byte : value.data) {
    EXPECT_LT(byte, 0x80);
    wide.push_back(byte);
    wide.push_back(0);
  }
  return wide;
}

std::string Hex(const Bytes& bytes) {
  std::string text;
  for (std::uint8_t byte : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%s%02x", text.empty() ? "" : " ", byte);
    text += pair;
  }
  return text;
}

// A value as a record line: its data as regfexport shows it.
std::string Record(const std::string& key, const std::string& name, std::uint32_t type,
                   const Bytes& hive) {
  std::string data;
  if (type == kRegSz || type == kRegExpandSz) {
    for (std::size_t i = 0; i + 1 < hive.size() && (hive[i] || hive[i + 1]); i += 2) {
      data += static_cast<char>(hive[i]);
    }
  } else if (type == kRegDword && hive.size() == 4) {
    data = std::to_string(hive[0] | hive[1] << 8 | hive[2] << 16 | std::uint32_t{hive[3]} << 24);
  } else if (hive.size() <= kShiftedUpTo) {
    data = "(through hivex)";
  } else {
    data = Hex(hive);
  }
  while (!data.empty() && data.back() == ' ') data.pop_back();
  return "V " + key + "\t" + name + "\t" + std::to_string(type) + "\t" +
         std::to_string(hive.size()) + "\t" + data;
}

void MemoryRecords(const Key& key, const std::string& path, std::vector<std::string>& out) {
  out.push_back("K " + path);
  for (const auto& [name, value] : key.values) {
    out.push_back(Record(path, name, value.type, AsHiveKeepsIt(value)));
  }
  for (const auto& sub : key.subkeys) MemoryRecords(*sub, path + "\\" + sub->name, out);
}

// The hive's records as regfexport prints them, its root's own name left out.
std::vector<std::string> ExportedRecords(const std::string& exported, const std::string& root) {
  std::vector<std::string> out;
  std::istringstream lines(exported);
  std::string line;
  std::string key;
  while (std::getline(lines, line)) {
    if (line.rfind("Key path: ", 0) == 0) {
      const std::string path = line.substr(10);
      const std::size_t slash = path.find('\\');
      key = root + (slash == std::string::npos ? "" : path.substr(slash));
      out.push_back("K " + key);
    } else if (line.rfind("Value: ", 0) == 0) {
      std::string name = line.substr(line.find(' ', 7) + 1);
      if (name == "(default)") name.clear();
      std::string type_line;
      std::string size_line;
      std::string data_line;
      std::getline(lines, type_line);
      std::getline(lines, size_line);
      std::getline(lines, data_line);
      std::uint32_t type = 0;
      static const std::map<std::string, std::uint32_t> kTypes = {{"REG_NONE", 0},
                                                                  {"REG_SZ", 1},
                                                                  {"REG_EXPAND_SZ", 2},
                                                                  {"REG_BINARY", 3},
                                                                  {"REG_DWORD_LITTLE_ENDIAN", 4},
                                                                  {"REG_MULTI_SZ", 7}};
      if (const std::size_t open = type_line.rfind('('); open != std::string::npos) {
        type = kTypes.at(type_line.substr(open + 1, type_line.size() - open - 2));
      } else {
        type = static_cast<std::uint32_t>(
            std::stoul(type_line.substr(type_line.find("0x")), nullptr, 16));
      }
      const std::size_t size = std::stoul(size_line.substr(11));
      Bytes bytes;
      std::string data;
      if (data_line.size() > 5 || type == kRegSz || type == kRegExpandSz || type == kRegDword) {
        data = data_line.size() > 6 ? data_line.substr(6) : "";
        while (!data.empty() && data.back() == ' ') data.pop_back();
      } else {
        for (std::string dump; std::getline(lines, dump) && !dump.empty();) {
          for (std::size_t i = 0; i < 16 && bytes.size() < size; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(
                std::stoul(dump.substr(10 + i * 3 + (i >= 8 ? 1 : 0), 2), nullptr, 16)));
          }
        }
        data = size <= kShiftedUpTo ? "(through hivex)" : Hex(bytes);
      }
      out.push_back("V " + key + "\t" + name + "\t" + std::to_string(type) + "\t" +
                    std::to_string(size) + "\t" + data);
    }
  }
  return out;
}

// The values of up to four bytes that are not text or numbers, as hivex reads them.
void ShortValues(hive_h* hive, hive_node_h node, const std::string& path,
                 std::vector<std::string>& out) {
  hive_value_h* values = hivex_node_values(hive, node);
  for (hive_value_h* v = values; v != nullptr && *v != 0; ++v) {
    hive_type type;
    std::size_t size = 0;
    char* data = hivex_value_value(hive, *v, &type, &size);
    char* name = hivex_value_key(hive, *v);
    const auto t = static_cast<std::uint32_t>(type);
    if (size <= kShiftedUpTo &&
        !(t == kRegSz || t == kRegExpandSz || (t == kRegDword && size == 4))) {
      out.push_back(path + "\t" + name + "\t" + Hex(Bytes(data, data + size)));
    }
    std::free(data);
    std::free(name);
  }
  std::free(values);
  hive_node_h* children = hivex_node_children(hive, node);
  for (hive_node_h* c = children; c != nullptr && *c != 0; ++c) {
    char* name = hivex_node_name(hive, *c);
    ShortValues(hive, *c, path + "\\" + name, out);
    std::free(name);
  }
  std::free(children);
}

void MemoryShortValues(const Key& key, const std::string& path, std::vector<std::string>& out) {
  for (const auto& [name, value] : key.values) {
    const Bytes hive = AsHiveKeepsIt(value);
    const std::uint32_t t = value.type;
    if (hive.size() <= kShiftedUpTo &&
        !(t == kRegSz || t == kRegExpandSz || (t == kRegDword && hive.size() == 4))) {
      out.push_back(path + "\t" + name + "\t" + Hex(hive));
    }
  }
  for (const auto& sub : key.subkeys) MemoryShortValues(*sub, path + "\\" + sub->name, out);
}

// A registry script for hivexregedit of a root's tree: keys without the root's name, parents
// first, every value in hex with its type.
std::string HiveScript(const Key& key, const std::string& path = "") {
  std::string script;
  if (!path.empty() || !key.values.empty()) script += "[" + (path.empty() ? "\\" : path) + "]\n";
  for (const auto& [name, value] : key.values) {
    std::string escaped;
    for (char c : name)
      escaped += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    char type[16];
    std::snprintf(type, sizeof type, "%x", value.type);
    std::string hex;
    for (std::uint8_t byte : AsHiveKeepsIt(value)) {
      char pair[4];
      std::snprintf(pair, sizeof pair, "%s%02x", hex.empty() ? "" : ",", byte);
      hex += pair;
    }
    script += (name.empty() ? "@" : "\"" + escaped + "\"") + "=hex(" + type + "):" + hex + "\n";
  }
  script += "\n";
  for (const auto& sub : key.subkeys) script += HiveScript(*sub, path + "\\" + sub->name);
  return script;
}

struct Outcome {
  std::string rows;
  std::optional<std::string> failure;
  std::vector<std::string> records;
  std::vector<std::string> short_values;
};

void Sort(Outcome& outcome) {
  std::sort(outcome.records.begin(), outcome.records.end());
  std::sort(outcome.short_values.begin(), outcome.short_values.end());
}

TEST(HiveDifferential, TheEngineOverHivesDoesWhatItDoesOverTheMemoryStore) {
  const fs::path folder = FreshTestFolder("quillmark-hive-differential-");
  std::mt19937 random(20261211);
  int refused = 0;
  int rewritten = 0;
  for (int round = 0; round < 24; ++round) {
    const std::string state = RandomTweakState(random);
    EngineCommand command;
    const unsigned kind = random() % 6;
    command.kind = kind == 0   ? EngineCommand::Kind::Defaults
                   : kind == 1 ? EngineCommand::Kind::Status
                               : EngineCommand::Kind::Apply;
    if (command.kind == EngineCommand::Kind::Apply) {
      for (int row = 0; row < 14; ++row) command.boxes += random() % 2 == 0 ? 'x' : '.';
    }
    std::size_t calls = 0;
    {
      MemoryRegistry registry = LoadSnapshot(state);
      WatchedStore counted(registry);
      HeadlessTweakList list;
      RunEngineCommand(counted, command, list);
      calls = counted.calls.size();
    }
    const std::size_t refuse_call = random() % 3 == 0 ? 1 + random() % calls : 0;
    SCOPED_TRACE("round " + std::to_string(round) + ", call " + std::to_string(refuse_call) +
                 " refused of " + std::to_string(calls) + "\n" + state);

    Outcome memory;
    {
      MemoryRegistry registry = LoadSnapshot(state);
      WatchedStore store(registry);
      store.refuse_call = refuse_call;
      HeadlessTweakList list;
      memory.failure = RunEngineCommand(store, command, list);
      memory.rows = list.Boxes();
      for (RootKey root : kRootKeys) {
        MemoryRecords(registry.Root(root), std::string(RootName(root)), memory.records);
        MemoryShortValues(registry.Root(root), std::string(RootName(root)), memory.short_values);
      }
    }

    Outcome hives;
    std::array<std::string, 3> paths;
    const MemoryRegistry before = LoadSnapshot(state);
    for (std::size_t i = 0; i < 3; ++i) {
      paths[i] = (folder / std::string(RootName(kRootKeys[i]))).string();
      MakeHive(paths[i], HiveScript(before.Root(kRootKeys[i])));
    }
    std::array<std::string, 3> grown;
    for (std::size_t i = 0; i < 3; ++i) grown[i] = ReadWholeFile(paths[i]);
    {
      HivesByRoot registry(paths);
      WatchedStore store(registry);
      store.refuse_call = refuse_call;
      HeadlessTweakList list;
      hives.failure = RunEngineCommand(store, command, list);
      hives.rows = list.Boxes();
      registry.Commit();
    }
    for (std::size_t i = 0; i < 3; ++i) {
      const std::string root(RootName(kRootKeys[i]));
      const std::vector<std::string> records = ExportedRecords(ExportHive(paths[i]), root);
      hives.records.insert(hives.records.end(), records.begin(), records.end());
      hive_h* hive = hivex_open(paths[i].c_str(), 0);
      ASSERT_NE(hive, nullptr) << paths[i];
      ShortValues(hive, hivex_root(hive), root, hives.short_values);
      hivex_close(hive);
      if (ReadWholeFile(paths[i]) != grown[i]) ++rewritten;
    }
    Sort(memory);
    Sort(hives);
    EXPECT_EQ(hives.rows, memory.rows);
    EXPECT_EQ(hives.failure, memory.failure);
    EXPECT_EQ(hives.records, memory.records);
    EXPECT_EQ(hives.short_values, memory.short_values);
    EXPECT_EQ(
        SortedNames(folder),
        (std::vector<std::string>{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}));
    if (memory.failure) ++refused;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(refused, 3);
  EXPECT_GT(rewritten, 10);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quillmark::testing
