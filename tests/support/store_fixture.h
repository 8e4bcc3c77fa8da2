// A fixture over one registry store with a fresh test key below HKEY_CURRENT_USER, removed
// again afterwards, and a few shorthands for raw store calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"
#include "registry/registry_key_handle.h"
#include "registry/tregistry.h"
#include "support/stores.h"

namespace quillmark::testing {

class StoreTest : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    store_ = GetParam().make();
    RemoveTestKey();
    RegKey key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(store_->CreateKey(RootHandle(RootKey::CurrentUser), kTestKeyPath, kKeyAllAccess, &key,
                                &disposition),
              kErrorSuccess);
    base_ = RegistryKeyHandle(*store_, key);
  }

  void TearDown() override {
    held_.clear();
    base_.reset();
    RemoveTestKey();
  }

  void RemoveTestKey() {
    TRegistry registry(*store_);
    registry.RemoveKey(kTestKeyAbsolute);
  }

  RegistryApi& store() { return *store_; }
  RegKey base() const { return base_.get(); }

  // Handles opened through these are closed when the test ends.
  RegStatus Open(RegKey from, const char* sub, RegKey* out, std::uint32_t access = kKeyAllAccess) {
    const RegStatus status = store_->OpenKey(from, sub, access, out);
    if (status == kErrorSuccess) Hold(*out);
    return status;
  }
  RegStatus Create(RegKey from, const char* sub, RegKey* out, std::uint32_t* disposition = nullptr,
                   std::uint32_t access = kKeyAllAccess) {
    std::uint32_t ignored = 0;
    const RegStatus status =
        store_->CreateKey(from, sub, access, out, disposition ? disposition : &ignored);
    if (status == kErrorSuccess) Hold(*out);
    return status;
  }
  RegKey MustCreate(const char* sub) {
    RegKey key = 0;
    EXPECT_EQ(Create(base(), sub, &key), kErrorSuccess) << sub;
    return key;
  }
  void Hold(RegKey key) { held_.emplace_back(*store_, key); }

  RegStatus SetBytes(RegKey key, const char* name, std::uint32_t type, std::string_view bytes) {
    return store_->SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                            static_cast<std::uint32_t>(bytes.size()));
  }
  // A REG_SZ value with its terminating zero, as the registry object writes it.
  RegStatus SetText(RegKey key, const char* name, std::string_view text) {
    return SetBytes(key, name, kRegSz, std::string(text) + '\0');
  }
  // The value's bytes, or the error code as text.
  std::string Bytes(RegKey key, const char* name) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    RegStatus status = store_->QueryValue(key, name, &type, nullptr, &size);
    if (status != kErrorSuccess) return "error " + std::to_string(status);
    std::string data(size, '\0');
    status =
        store_->QueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
    if (status != kErrorSuccess) return "error " + std::to_string(status);
    data.resize(size);
    return data;
  }
  std::vector<std::string> Subkeys(RegKey key) {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
      char name[300];
      std::uint32_t length = sizeof name;
      if (store_->EnumKey(key, i, name, &length) != kErrorSuccess) break;
      names.emplace_back(name, length);
    }
    return names;
  }

 private:
  std::unique_ptr<RegistryApi> store_;
  RegistryKeyHandle base_;
  std::vector<RegistryKeyHandle> held_;
};

}  // namespace quillmark::testing
