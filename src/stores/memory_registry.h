// An in-memory registry under HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE that
// keeps the rules of the Windows registry the engine relies on, with a rights model.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ascii_case.h"
#include "registry/registry_api.h"

namespace quillmark {

class MemoryRegistry final : public RegistryApi {
 public:
  struct StoredValue {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
  };

  // One key of the tree. Names keep the spelling they were created with; lookups ignore case.
  struct Key {
    std::string name;
    RootKey root = RootKey::CurrentUser;
    std::size_t depth = 0;  // 0 for a root
    Key* parent = nullptr;  // null for a root and for a deleted key
    bool deleted = false;
    std::vector<std::shared_ptr<Key>> subkeys;  // in case-insensitive order
    std::map<std::string, StoredValue, NoCaseLess> values;
  };

  // Administrator: every request is granted. StandardUser: opens and creates asking for more
  // than read rights are refused below HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE, as are key
  // deletions there; everything below HKEY_CURRENT_USER is granted.
  enum class Rights { Administrator, StandardUser };

  MemoryRegistry();
  MemoryRegistry(MemoryRegistry&&) noexcept;
  MemoryRegistry& operator=(MemoryRegistry&&) noexcept;
  ~MemoryRegistry() override;

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
  bool DoubleByteCharacters() const override { return double_byte_; }

  void SetRights(Rights rights);
  // Whether the rights model grants these rights on keys below the root, the root included.
  bool Grants(RootKey root, std::uint32_t access) const;
  // With double-byte characters on, a byte from 0x81 to 0xFE leads a two-byte character, so
  // QueryInfoKey counts such a pair as one character while names still take two bytes.
  void SetDoubleByteCharacters(bool on) { double_byte_ = on; }

  // Handles handed out and not yet closed.
  std::size_t OpenHandleCount() const { return handles_.size(); }

  const Key& Root(RootKey root) const;

 private:
  struct Handle {
    std::shared_ptr<Key> key;
    std::uint32_t access = 0;
  };

  const Handle* FindHandle(RegKey key) const;
  RegStatus ResolveBase(RegKey base, const Handle*& handle) const;
  bool Refused(const Key& key, std::uint32_t access) const;
  RegKey AddHandle(std::shared_ptr<Key> key, std::uint32_t access);
  RegStatus OpenOrCreate(RegKey base, std::string_view sub, std::uint32_t access, bool create,
                         RegKey* result, std::uint32_t* disposition);
  RegStatus ValueHandle(RegKey key, std::uint32_t any_of, Key*& target) const;

  std::array<std::shared_ptr<Key>, 3> roots_;
  std::array<Handle, 3> root_handles_;  // the predefined handles, with the rights they carry
  std::unordered_map<RegKey, Handle> handles_;
  RegKey next_handle_ = 0x1000;
  Rights rights_ = Rights::Administrator;
  bool double_byte_ = false;
};

// A key or value name into a caller's buffer with its zero, as RegEnumKeyExA and RegEnumValueA
// hand it out: name_length is the buffer size in, the name's length out.
RegStatus CopyName(const std::string& found, char* name, std::uint32_t* name_length);

// A value's type, data and size into a caller's buffers, as RegQueryValueExA hands them out.
RegStatus CopyStoredValue(const MemoryRegistry::StoredValue& value, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size);

}  // namespace quillmark
