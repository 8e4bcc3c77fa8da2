// A store over another that records the kind of every call, and refuses a chosen one: to prove
// what reaches a store, and to refuse the n-th call of whatever lies above.
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace quillmark::testing {

class WatchedStore final : public RegistryApi {
 public:
  explicit WatchedStore(RegistryApi& store) : store_(store) {}

  // Refuses the n-th call from the first (1 is the first) with the code; 0 refuses none.
  std::size_t refuse_call = 0;
  RegStatus refuse_code = kErrorAccessDenied;
  std::vector<std::string> calls;  // "OpenKey", "SetValue", ...

  // The calls that would change a store.
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const std::string& call : calls) {
      if (call == "CreateKey" || call == "SetValue" || call == "DeleteValue" ||
          call == "DeleteKey" || call == "FlushKey") {
        writes.push_back(call);
      }
    }
    return writes;
  }

  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override {
    if (Refused("OpenKey")) return refuse_code;
    return store_.OpenKey(base, sub, access, result);
  }
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override {
    if (Refused("CreateKey")) return refuse_code;
    return store_.CreateKey(base, sub, access, result, disposition);
  }
  RegStatus CloseKey(RegKey key) override {
    if (Refused("CloseKey")) return refuse_code;
    return store_.CloseKey(key);
  }
  RegStatus FlushKey(RegKey key) override {
    if (Refused("FlushKey")) return refuse_code;
    return store_.FlushKey(key);
  }
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    if (Refused("QueryValue")) return refuse_code;
    return store_.QueryValue(key, name, type, data, size);
  }
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override {
    if (Refused("SetValue")) return refuse_code;
    return store_.SetValue(key, name, type, data, size);
  }
  RegStatus DeleteValue(RegKey key, const char* name) override {
    if (Refused("DeleteValue")) return refuse_code;
    return store_.DeleteValue(key, name);
  }
  RegStatus DeleteKey(RegKey base, const char* sub) override {
    if (Refused("DeleteKey")) return refuse_code;
    return store_.DeleteKey(base, sub);
  }
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override {
    if (Refused("EnumKey")) return refuse_code;
    return store_.EnumKey(key, index, name, name_length);
  }
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override {
    if (Refused("EnumValue")) return refuse_code;
    return store_.EnumValue(key, index, name, name_length, type, data, size);
  }
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override {
    if (Refused("QueryInfoKey")) return refuse_code;
    return store_.QueryInfoKey(key, subkeys, max_subkey_length);
  }
  bool DoubleByteCharacters() const override { return store_.DoubleByteCharacters(); }

 private:
  bool Refused(const char* call) {
    calls.emplace_back(call);
    return calls.size() == refuse_call;
  }

  RegistryApi& store_;
};

}  // namespace quillmark::testing
