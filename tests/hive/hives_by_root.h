// A registry of three hive files, one for each root the engine uses: each root's calls go to its
// own hive store, under handles of this store's own.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "hive/hive_registry.h"

namespace quillmark::testing {

class HivesByRoot final : public RegistryApi {
 public:
  // The hives of HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
  explicit HivesByRoot(const std::array<std::string, 3>& paths) {
    for (std::size_t i = 0; i < 3; ++i) {
      hives_[i] = std::make_unique<HiveRegistry>(paths[i], kRootKeys[i], HiveRegistry::Use::Change);
    }
  }

  void Commit() {
    for (auto& hive : hives_) hive->Commit();
  }

  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override {
    return Opened(base, result, [&](RegistryApi& s, RegKey k, RegKey* out) {
      return s.OpenKey(k, sub, access, out);
    });
  }
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override {
    return Opened(base, result, [&](RegistryApi& s, RegKey k, RegKey* out) {
      return s.CreateKey(k, sub, access, out, disposition);
    });
  }
  RegStatus CloseKey(RegKey key) override {
    const Inner inner = Find(key);
    if (inner.store == nullptr) return kErrorInvalidHandle;
    if (!IsPredefinedHandle(key)) handles_.erase(key);
    return inner.store->CloseKey(inner.key);
  }
  RegStatus FlushKey(RegKey key) override {
    return On(key, [&](RegistryApi& s, RegKey k) { return s.FlushKey(k); });
  }
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    return On(key,
              [&](RegistryApi& s, RegKey k) { return s.QueryValue(k, name, type, data, size); });
  }
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override {
    return On(key, [&](RegistryApi& s, RegKey k) { return s.SetValue(k, name, type, data, size); });
  }
  RegStatus DeleteValue(RegKey key, const char* name) override {
    return On(key, [&](RegistryApi& s, RegKey k) { return s.DeleteValue(k, name); });
  }
  RegStatus DeleteKey(RegKey base, const char* sub) override {
    return On(base, [&](RegistryApi& s, RegKey k) { return s.DeleteKey(k, sub); });
  }
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override {
    return On(key,
              [&](RegistryApi& s, RegKey k) { return s.EnumKey(k, index, name, name_length); });
  }
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override {
    return On(key, [&](RegistryApi& s, RegKey k) {
      return s.EnumValue(k, index, name, name_length, type, data, size);
    });
  }
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override {
    return On(key, [&](RegistryApi& s, RegKey k) {
      return s.QueryInfoKey(k, subkeys, max_subkey_length);
    });
  }
  bool DoubleByteCharacters() const override { return false; }

 private:
  struct Inner {
    RegistryApi* store = nullptr;
    RegKey key = 0;
  };

  Inner Find(RegKey key) {
    for (std::size_t i = 0; i < 3; ++i) {
      if (key == RootHandle(kRootKeys[i])) return {hives_[i].get(), key};
    }
    auto it = handles_.find(key);
    return it == handles_.end() ? Inner{} : it->second;
  }
  template <typename Call>
  RegStatus On(RegKey key, Call call) {
    const Inner inner = Find(key);
    return inner.store == nullptr ? kErrorInvalidHandle : call(*inner.store, inner.key);
  }
  template <typename Call>
  RegStatus Opened(RegKey base, RegKey* result, Call call) {
    const Inner inner = Find(base);
    if (inner.store == nullptr) return kErrorInvalidHandle;
    RegKey opened = 0;
    const RegStatus status = call(*inner.store, inner.key, result != nullptr ? &opened : nullptr);
    if (status != kErrorSuccess || result == nullptr) return status;
    if (IsPredefinedHandle(opened)) {
      *result = opened;
    } else {
      *result = next_;
      next_ += 4;
      handles_.emplace(*result, Inner{inner.store, opened});
    }
    return status;
  }

  std::array<std::unique_ptr<HiveRegistry>, 3> hives_;
  std::unordered_map<RegKey, Inner> handles_;
  RegKey next_ = 0x100000;
};

}  // namespace quillmark::testing
