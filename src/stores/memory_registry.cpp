#include "stores/memory_registry.h"

#include "core/code_page.h"
#include "registry/key_path.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillmark {

namespace {

using Key = MemoryRegistry::Key;

std::size_t RootIndex(RootKey root) {
  return static_cast<std::uint32_t>(root) - static_cast<std::uint32_t>(RootKey::ClassesRoot);
}

std::vector<std::shared_ptr<Key>>::const_iterator LowerBound(const Key& parent,
                                                             std::string_view name) {
  return std::lower_bound(parent.subkeys.begin(), parent.subkeys.end(), name,
                          [](const std::shared_ptr<Key>& key, std::string_view wanted) {
                            return CompareNoCase(key->name, wanted) < 0;
                          });
}

Key* FindSubkey(const Key& parent, std::string_view name) {
  auto it = LowerBound(parent, name);
  return (it != parent.subkeys.end() && EqualsNoCase((*it)->name, name)) ? it->get() : nullptr;
}

Key* AddSubkey(Key& parent, std::string_view name) {
  auto key = std::make_shared<Key>();
  key->name = std::string(name);
  key->root = parent.root;
  key->depth = parent.depth + 1;
  key->parent = &parent;
  Key* raw = key.get();
  auto it = LowerBound(parent, name);
  parent.subkeys.insert(parent.subkeys.begin() + (it - parent.subkeys.begin()), std::move(key));
  return raw;
}

std::shared_ptr<Key> SharedOf(Key& key) {
  if (key.parent == nullptr) return nullptr;
  auto it = LowerBound(*key.parent, key.name);
  return *it;
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

RegStatus CopyName(const std::string& found, char* name, std::uint32_t* name_length) {
  if (found.size() + 1 > *name_length) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *name_length = static_cast<std::uint32_t>(found.size());
  return kErrorSuccess;
}

RegStatus CopyStoredValue(const MemoryRegistry::StoredValue& value, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) {
  const auto length = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  if (data != nullptr && *size < length) {
    *size = length;
    return kErrorMoreData;
  }
  if (data != nullptr && length > 0) std::memcpy(data, value.data.data(), length);
  if (size != nullptr) *size = length;
  return kErrorSuccess;
}

MemoryRegistry::MemoryRegistry() {
  for (RootKey root : kRootKeys) {
    auto key = std::make_shared<Key>();
    key->name = std::string(RootName(root));
    key->root = root;
    root_handles_[RootIndex(root)] = Handle{key, kKeyAllAccess};
    roots_[RootIndex(root)] = std::move(key);
  }
}

MemoryRegistry::MemoryRegistry(MemoryRegistry&&) noexcept = default;
MemoryRegistry& MemoryRegistry::operator=(MemoryRegistry&&) noexcept = default;
MemoryRegistry::~MemoryRegistry() = default;

const MemoryRegistry::Key& MemoryRegistry::Root(RootKey root) const {
  return *roots_[RootIndex(root)];
}

const MemoryRegistry::Handle* MemoryRegistry::FindHandle(RegKey key) const {
  if (IsPredefinedHandle(key)) {
    for (RootKey root : kRootKeys) {
      if (key == RootHandle(root)) return &root_handles_[RootIndex(root)];
    }
    return nullptr;
  }
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : &it->second;
}

void MemoryRegistry::SetRights(Rights rights) {
  rights_ = rights;
  for (Handle& handle : root_handles_) {
    handle.access = Refused(*handle.key, kKeyAllAccess) ? kKeyRead : kKeyAllAccess;
  }
}

bool MemoryRegistry::Grants(RootKey root, std::uint32_t access) const {
  return !Refused(Root(root), access);
}

bool MemoryRegistry::Refused(const Key& key, std::uint32_t access) const {
  return rights_ == Rights::StandardUser && key.root != RootKey::CurrentUser &&
         (access & ~(kKeyRead | kKeyViewBits)) != 0;
}

RegKey MemoryRegistry::AddHandle(std::shared_ptr<Key> key, std::uint32_t access) {
  const RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_.emplace(handle, Handle{std::move(key), access});
  return handle;
}

RegStatus MemoryRegistry::OpenOrCreate(RegKey base, std::string_view sub, std::uint32_t access,
                                       bool create, RegKey* result, std::uint32_t* disposition) {
  if (result == nullptr) return kErrorInvalidParameter;
  const Handle* base_handle = FindHandle(base);
  if (base_handle == nullptr) return kErrorInvalidHandle;
  if (base_handle->key->deleted) return kErrorKeyDeleted;
  // Windows lets a leading separator through for HKEY_CLASSES_ROOT opens only.
  if (!create && base == RootHandle(RootKey::ClassesRoot) && !sub.empty() && sub[0] == '\\') {
    sub.remove_prefix(1);
  }
  if (!sub.empty() && sub[0] == '\\') return kErrorBadPathname;
  std::vector<std::string> names;
  if (RegStatus status = CheckedKeyNames(sub, names); status != kErrorSuccess) return status;
  if (base_handle->key->depth + names.size() > kMaxKeyDepth) return kErrorInvalidParameter;

  if (names.empty() && !create && IsPredefinedHandle(base)) {
    *result = base;  // a root opened with an empty path gives itself back
    return kErrorSuccess;
  }
  Key* key = base_handle->key.get();
  std::size_t found = 0;
  for (; found < names.size(); ++found) {
    Key* next = FindSubkey(*key, names[found]);
    if (next == nullptr) break;
    key = next;
  }
  std::shared_ptr<Key> shared = base_handle->key;
  if (found < names.size()) {
    if (!create) return kErrorFileNotFound;
    if (Refused(*key, kKeyCreateSubKey)) return kErrorAccessDenied;
    for (; found < names.size(); ++found) key = AddSubkey(*key, names[found]);
    if (disposition != nullptr) *disposition = kRegCreatedNewKey;
  } else {
    if (Refused(*key, access)) return kErrorAccessDenied;
    if (disposition != nullptr) *disposition = kRegOpenedExistingKey;
  }
  if (key != base_handle->key.get()) shared = SharedOf(*key);
  *result = AddHandle(std::move(shared), access);
  return kErrorSuccess;
}

RegStatus MemoryRegistry::OpenKey(RegKey base, const char* sub, std::uint32_t access,
                                  RegKey* result) {
  return OpenOrCreate(base, OrEmpty(sub), access, false, result, nullptr);
}

RegStatus MemoryRegistry::CreateKey(RegKey base, const char* sub, std::uint32_t access,
                                    RegKey* result, std::uint32_t* disposition) {
  return OpenOrCreate(base, OrEmpty(sub), access, true, result, disposition);
}

RegStatus MemoryRegistry::CloseKey(RegKey key) {
  if (IsPredefinedHandle(key)) return kErrorSuccess;
  return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

RegStatus MemoryRegistry::FlushKey(RegKey key) {
  const Handle* handle = FindHandle(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if (handle->key->deleted) return kErrorKeyDeleted;
  return kErrorSuccess;
}

RegStatus MemoryRegistry::ValueHandle(RegKey key, std::uint32_t any_of, Key*& target) const {
  const Handle* handle = FindHandle(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if ((handle->access & any_of) == 0) return kErrorAccessDenied;
  if (handle->key->deleted) return kErrorKeyDeleted;
  target = handle->key.get();
  return kErrorSuccess;
}

RegStatus MemoryRegistry::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  Key* target = nullptr;
  if (RegStatus status = ValueHandle(key, kKeyQueryValue, target); status != kErrorSuccess) {
    return status;
  }
  auto it = target->values.find(std::string_view(OrEmpty(name)));
  return it == target->values.end() ? kErrorFileNotFound
                                    : CopyStoredValue(it->second, type, data, size);
}

RegStatus MemoryRegistry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  Key* target = nullptr;
  if (RegStatus status = ValueHandle(key, kKeySetValue, target); status != kErrorSuccess) {
    return status;
  }
  const std::string_view wanted(OrEmpty(name));
  if (wanted.size() > kMaxValueNameLength || (data == nullptr && size > 0)) {
    return kErrorInvalidParameter;
  }
  auto it = target->values.find(wanted);
  if (it == target->values.end()) it = target->values.emplace(wanted, StoredValue{}).first;
  it->second.type = type;
  it->second.data.assign(data, data + size);
  return kErrorSuccess;
}

RegStatus MemoryRegistry::DeleteValue(RegKey key, const char* name) {
  Key* target = nullptr;
  if (RegStatus status = ValueHandle(key, kKeySetValue, target); status != kErrorSuccess) {
    return status;
  }
  auto it = target->values.find(std::string_view(OrEmpty(name)));
  if (it == target->values.end()) return kErrorFileNotFound;
  target->values.erase(it);
  return kErrorSuccess;
}

RegStatus MemoryRegistry::DeleteKey(RegKey base, const char* sub_text) {
  const std::string_view sub = OrEmpty(sub_text);
  const Handle* base_handle = FindHandle(base);
  if (base_handle == nullptr) return kErrorInvalidHandle;
  if (base_handle->key->deleted) return kErrorKeyDeleted;
  if (!sub.empty() && sub[0] == '\\') return kErrorBadPathname;
  std::vector<std::string> names;
  if (RegStatus status = CheckedKeyNames(sub, names); status != kErrorSuccess) return status;
  Key* key = base_handle->key.get();
  for (const std::string& name : names) {
    key = FindSubkey(*key, name);
    if (key == nullptr) return kErrorFileNotFound;
  }
  if (key->parent == nullptr || Refused(*key, kKeyAllAccess) || !key->subkeys.empty()) {
    return kErrorAccessDenied;  // a root, a refused right, or a key with subkeys
  }
  Key& parent = *key->parent;
  auto it = LowerBound(parent, key->name);
  key->deleted = true;
  key->parent = nullptr;
  parent.subkeys.erase(it);  // handles that still hold the key keep it alive
  return kErrorSuccess;
}

RegStatus MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                  std::uint32_t* name_length) {
  Key* target = nullptr;
  if (RegStatus status = ValueHandle(key, kKeyEnumerateSubKeys, target); status != kErrorSuccess) {
    return status;
  }
  if (name == nullptr || name_length == nullptr) return kErrorInvalidParameter;
  if (index >= target->subkeys.size()) return kErrorNoMoreItems;
  return CopyName(target->subkeys[index]->name, name, name_length);
}

RegStatus MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                    std::uint32_t* name_length, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  Key* target = nullptr;
  if (RegStatus status = ValueHandle(key, kKeyQueryValue, target); status != kErrorSuccess) {
    return status;
  }
  if (name == nullptr || name_length == nullptr) return kErrorInvalidParameter;
  if (index >= target->values.size()) return kErrorNoMoreItems;
  auto it = std::next(target->values.begin(), static_cast<std::ptrdiff_t>(index));
  if (RegStatus status = CopyName(it->first, name, name_length); status != kErrorSuccess) {
    return status;
  }
  return CopyStoredValue(it->second, type, data, size);
}

RegStatus MemoryRegistry::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                       std::uint32_t* max_subkey_length) {
  Key* target = nullptr;
  if (RegStatus status = ValueHandle(key, kKeyInfoRights, target); status != kErrorSuccess) {
    return status;
  }
  std::uint32_t longest = 0;
  for (const auto& subkey : target->subkeys) {
    longest = std::max(longest, CodePageCharacterCount(subkey->name, double_byte_));
  }
  if (subkeys != nullptr) *subkeys = static_cast<std::uint32_t>(target->subkeys.size());
  if (max_subkey_length != nullptr) *max_subkey_length = longest;
  return kErrorSuccess;
}

}  // namespace quillmark
