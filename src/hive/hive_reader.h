// A read-only store over an open hive: its root key is the one root the constructor names, and
// every key below is the hive's. Names and strings convert as the registry's A functions convert
// them (hive/hive_text.h). It refuses every change; HiveRegistry keeps changes aside and writes
// them through hivex at the command's end.
#pragma once

#include <hivex.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "registry/registry_api.h"

namespace quillmark {

class HiveReader final : public RegistryApi {
 public:
  HiveReader(hive_h* hive, RootKey root);

  // Reads another image of the same bytes from now on: every key keeps its place, so the
  // handles stay good; what was listed is listed again.
  void Rebind(hive_h* hive);

  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override;
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override;
  RegStatus CloseKey(RegKey key) override;
  RegStatus FlushKey(RegKey key) override;
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override;
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus DeleteValue(RegKey key, const char* name) override;
  RegStatus DeleteKey(RegKey base, const char* sub) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override;
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override;
  bool DoubleByteCharacters() const override { return false; }

 private:
  struct Handle {
    hive_node_h node = 0;
    bool listed = false;
    std::vector<std::string> subkeys;  // in the code page, in case-insensitive order
  };

  Handle* Find(RegKey key);
  Handle& Listed(Handle& handle);
  RegStatus CopyValue(hive_value_h value, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* size);

  hive_h* hive_;
  RootKey root_;
  Handle root_handle_;
  std::unordered_map<RegKey, Handle> handles_;
  RegKey next_handle_ = 0x1000;
};

}  // namespace quillmark
