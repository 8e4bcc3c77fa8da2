// Owns one key handle of a registry store and closes it when it goes; predefined root handles
// are never closed. Move-only.
#pragma once

#include <utility>

#include "platform/registry_api.h"

namespace quillmark {

class RegistryKeyHandle {
 public:
  RegistryKeyHandle() = default;
  RegistryKeyHandle(RegistryApi& api, RegKey key) : api_(&api), key_(key) {}
  RegistryKeyHandle(RegistryKeyHandle&& other) noexcept
      : api_(std::exchange(other.api_, nullptr)), key_(std::exchange(other.key_, 0)) {}
  RegistryKeyHandle& operator=(RegistryKeyHandle&& other) noexcept {
    if (this != &other) {
      reset();
      api_ = std::exchange(other.api_, nullptr);
      key_ = std::exchange(other.key_, 0);
    }
    return *this;
  }
  RegistryKeyHandle(const RegistryKeyHandle&) = delete;
  RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
  ~RegistryKeyHandle() { reset(); }

  RegKey get() const { return key_; }
  explicit operator bool() const { return key_ != 0; }

  // Closes the handle; the close's result is of no use to anyone.
  void reset() {
    if (key_ != 0 && !IsPredefinedHandle(key_)) api_->CloseKey(key_);
    api_ = nullptr;
    key_ = 0;
  }

 private:
  RegistryApi* api_ = nullptr;
  RegKey key_ = 0;
};

}  // namespace quillmark
