// A store that passes every call to another, for test stores that own more than the store.
#pragma once

#include "registry/registry_api.h"

namespace quillmark::testing {

class ForwardingStore : public RegistryApi {
 public:
  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override {
    return Target().OpenKey(base, sub, access, result);
  }
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override {
    return Target().CreateKey(base, sub, access, result, disposition);
  }
  RegStatus CloseKey(RegKey key) override { return Target().CloseKey(key); }
  RegStatus FlushKey(RegKey key) override { return Target().FlushKey(key); }
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    return Target().QueryValue(key, name, type, data, size);
  }
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override {
    return Target().SetValue(key, name, type, data, size);
  }
  RegStatus DeleteValue(RegKey key, const char* name) override {
    return Target().DeleteValue(key, name);
  }
  RegStatus DeleteKey(RegKey base, const char* sub) override {
    return Target().DeleteKey(base, sub);
  }
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override {
    return Target().EnumKey(key, index, name, name_length);
  }
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override {
    return Target().EnumValue(key, index, name, name_length, type, data, size);
  }
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override {
    return Target().QueryInfoKey(key, subkeys, max_subkey_length);
  }
  bool DoubleByteCharacters() const override {
    return const_cast<ForwardingStore*>(this)->Target().DoubleByteCharacters();
  }

 protected:
  virtual RegistryApi& Target() = 0;
};

}  // namespace quillmark::testing
