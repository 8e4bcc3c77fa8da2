#include "stores/memory_registry.h"

#include "core/code_page.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillmark {

namespace {

using Key = MemoryRegistry::Key;
using Operation = MemoryRegistry::Operation;

std::size_t RootIndex(RootKey root) {
  return static_cast<std::uint32_t>(root) - static_cast<std::uint32_t>(RootKey::ClassesRoot);
}

// The key names of a path below a key. Repeated and trailing separators name nothing, as on
// Windows.
std::vector<std::string_view> NamesOf(std::string_view sub) {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < sub.size();) {
    if (sub[i] == '\\') {
      ++i;
      continue;
    }
    const std::size_t end = std::min(sub.find('\\', i), sub.size());
    names.push_back(sub.substr(i, end - i));
    i = end;
  }
  return names;
}

// As NamesOf, refusing a name longer than a key name may be.
RegStatus SplitPath(std::string_view sub, std::vector<std::string_view>& names) {
  names = NamesOf(sub);
  for (std::string_view name : names) {
    if (name.size() > kMaxKeyNameLength) return kErrorInvalidParameter;
  }
  return kErrorSuccess;
}

std::string TidyPath(std::string_view sub) {
  std::string tidy;
  for (std::string_view name : NamesOf(sub)) {
    if (!tidy.empty()) tidy += '\\';
    tidy.append(name);
  }
  return tidy;
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

std::string_view OperationName(Operation operation) {
  switch (operation) {
    case Operation::OpenKey:
      return "OpenKey";
    case Operation::CreateKey:
      return "CreateKey";
    case Operation::CloseKey:
      return "CloseKey";
    case Operation::FlushKey:
      return "FlushKey";
    case Operation::QueryValue:
      return "QueryValue";
    case Operation::SetValue:
      return "SetValue";
    case Operation::DeleteValue:
      return "DeleteValue";
    case Operation::DeleteKey:
      return "DeleteKey";
    case Operation::EnumKey:
      return "EnumKey";
    case Operation::EnumValue:
      return "EnumValue";
    case Operation::QueryInfoKey:
      return "QueryInfoKey";
  }
  return "";
}

MemoryRegistry::MemoryRegistry() {
  for (RootKey root : kRootKeys) {
    auto key = std::make_shared<Key>();
    key->name = std::string(RootName(root));
    key->root = root;
    root_handles_[RootIndex(root)] = Handle{key, kKeyAllAccess, key->name};
    roots_[RootIndex(root)] = std::move(key);
  }
}

MemoryRegistry::MemoryRegistry(MemoryRegistry&&) noexcept = default;
MemoryRegistry& MemoryRegistry::operator=(MemoryRegistry&&) noexcept = default;
MemoryRegistry::~MemoryRegistry() = default;

const MemoryRegistry::Key& MemoryRegistry::Root(RootKey root) const {
  return *roots_[RootIndex(root)];
}

void MemoryRegistry::FailCall(std::size_t n, RegStatus code) {
  failures_.push_back({calls_ + n, nullptr, code});
}

void MemoryRegistry::FailWhen(std::function<bool(const Call&)> match, RegStatus code) {
  failures_.push_back({std::nullopt, std::move(match), code});
}

void MemoryRegistry::ClearFailures() { failures_.clear(); }

void MemoryRegistry::ForgetCalls() {
  failures_.clear();
  log_.clear();
  calls_ = 0;
}

RegStatus MemoryRegistry::Begin(const Call& call) {
  ++calls_;
  for (const FailureRule& rule : failures_) {
    if (rule.call_number ? *rule.call_number == calls_ : rule.match(call)) return rule.code;
  }
  return kErrorSuccess;
}

RegStatus MemoryRegistry::Finish(Call&& call, RegStatus result) {
  if (logging_) log_.push_back({std::move(call), result});
  return result;
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

std::string MemoryRegistry::DescribeKey(RegKey key) const {
  const Handle* handle = FindHandle(key);
  return handle != nullptr ? handle->path : std::string();
}

std::string MemoryRegistry::DescribePath(RegKey base, std::string_view sub) const {
  std::string path = DescribeKey(base);
  std::string tidy = TidyPath(sub);
  if (!tidy.empty()) {
    path += '\\';
    path += tidy;
  }
  return path;
}

bool MemoryRegistry::Refused(const Key& key, std::uint32_t access) const {
  return rights_ == Rights::StandardUser && key.root != RootKey::CurrentUser &&
         (access & ~(kKeyRead | kKeyViewBits)) != 0;
}

RegKey MemoryRegistry::AddHandle(std::shared_ptr<Key> key, std::uint32_t access, std::string path) {
  const RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_.emplace(handle, Handle{std::move(key), access, std::move(path)});
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
  std::vector<std::string_view> names;
  if (RegStatus status = SplitPath(sub, names); status != kErrorSuccess) return status;
  if (base_handle->key->depth + names.size() > kMaxKeyDepth) return kErrorInvalidParameter;

  std::string path = DescribePath(base, sub);
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
  *result = AddHandle(std::move(shared), access, std::move(path));
  return kErrorSuccess;
}

RegStatus MemoryRegistry::OpenKey(RegKey base, const char* sub, std::uint32_t access,
                                  RegKey* result) {
  sub = OrEmpty(sub);
  Call call{Operation::OpenKey, DescribePath(base, sub), {}, access};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = OpenOrCreate(base, sub, access, false, result, nullptr);
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::CreateKey(RegKey base, const char* sub, std::uint32_t access,
                                    RegKey* result, std::uint32_t* disposition) {
  sub = OrEmpty(sub);
  Call call{Operation::CreateKey, DescribePath(base, sub), {}, access};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = OpenOrCreate(base, sub, access, true, result, disposition);
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::CloseKey(RegKey key) {
  Call call{Operation::CloseKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess && !IsPredefinedHandle(key)) {
    status = handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::FlushKey(RegKey key) {
  Call call{Operation::FlushKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) {
    const Handle* handle = FindHandle(key);
    if (handle == nullptr) {
      status = kErrorInvalidHandle;
    } else if (handle->key->deleted) {
      status = kErrorKeyDeleted;
    }
  }
  return Finish(std::move(call), status);
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
  name = OrEmpty(name);
  Call call{Operation::QueryValue, DescribeKey(key), name};
  RegStatus status = Begin(call);
  Key* target = nullptr;
  if (status == kErrorSuccess) status = ValueHandle(key, kKeyQueryValue, target);
  if (status == kErrorSuccess) {
    auto it = target->values.find(std::string_view(name));
    status = it == target->values.end() ? kErrorFileNotFound
                                        : CopyStoredValue(it->second, type, data, size);
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  name = OrEmpty(name);
  Call call{Operation::SetValue, DescribeKey(key), name};
  RegStatus status = Begin(call);
  Key* target = nullptr;
  if (status == kErrorSuccess) status = ValueHandle(key, kKeySetValue, target);
  if (status == kErrorSuccess) {
    const std::string_view wanted(name);
    if (wanted.size() > kMaxValueNameLength || (data == nullptr && size > 0)) {
      status = kErrorInvalidParameter;
    } else {
      auto it = target->values.find(wanted);
      if (it == target->values.end()) it = target->values.emplace(wanted, StoredValue{}).first;
      it->second.type = type;
      it->second.data.assign(data, data + size);
    }
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::DeleteValue(RegKey key, const char* name) {
  name = OrEmpty(name);
  Call call{Operation::DeleteValue, DescribeKey(key), name};
  RegStatus status = Begin(call);
  Key* target = nullptr;
  if (status == kErrorSuccess) status = ValueHandle(key, kKeySetValue, target);
  if (status == kErrorSuccess) {
    auto it = target->values.find(std::string_view(name));
    if (it == target->values.end()) {
      status = kErrorFileNotFound;
    } else {
      target->values.erase(it);
    }
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::DeleteKey(RegKey base, const char* sub_text) {
  const std::string_view sub = OrEmpty(sub_text);
  Call call{Operation::DeleteKey, DescribePath(base, sub), {}};
  RegStatus status = Begin(call);
  if (status != kErrorSuccess) return Finish(std::move(call), status);

  const Handle* base_handle = FindHandle(base);
  std::vector<std::string_view> names;
  Key* key = nullptr;
  if (base_handle == nullptr) {
    status = kErrorInvalidHandle;
  } else if (base_handle->key->deleted) {
    status = kErrorKeyDeleted;
  } else if (!sub.empty() && sub[0] == '\\') {
    status = kErrorBadPathname;
  } else {
    status = SplitPath(sub, names);
    key = base_handle->key.get();
    for (std::size_t i = 0; status == kErrorSuccess && i < names.size(); ++i) {
      key = FindSubkey(*key, names[i]);
      if (key == nullptr) status = kErrorFileNotFound;
    }
  }
  if (status == kErrorSuccess) {
    if (key->parent == nullptr || Refused(*key, kKeyAllAccess) || !key->subkeys.empty()) {
      status = kErrorAccessDenied;  // a root, a refused right, or a key with subkeys
    } else {
      Key& parent = *key->parent;
      auto it = LowerBound(parent, key->name);
      key->deleted = true;
      key->parent = nullptr;
      parent.subkeys.erase(it);  // handles that still hold the key keep it alive
    }
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                  std::uint32_t* name_length) {
  Call call{Operation::EnumKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  Key* target = nullptr;
  if (status == kErrorSuccess) status = ValueHandle(key, kKeyEnumerateSubKeys, target);
  if (status == kErrorSuccess) {
    if (name == nullptr || name_length == nullptr) {
      status = kErrorInvalidParameter;
    } else if (index >= target->subkeys.size()) {
      status = kErrorNoMoreItems;
    } else {
      const std::string& found = target->subkeys[index]->name;
      if (found.size() + 1 > *name_length) {
        status = kErrorMoreData;
      } else {
        std::memcpy(name, found.c_str(), found.size() + 1);
        *name_length = static_cast<std::uint32_t>(found.size());
      }
    }
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                    std::uint32_t* name_length, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  Call call{Operation::EnumValue, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  Key* target = nullptr;
  if (status == kErrorSuccess) status = ValueHandle(key, kKeyQueryValue, target);
  if (status == kErrorSuccess) {
    if (name == nullptr || name_length == nullptr) {
      status = kErrorInvalidParameter;
    } else if (index >= target->values.size()) {
      status = kErrorNoMoreItems;
    } else {
      auto it = std::next(target->values.begin(), static_cast<std::ptrdiff_t>(index));
      if (it->first.size() + 1 > *name_length) {
        status = kErrorMoreData;
      } else {
        std::memcpy(name, it->first.c_str(), it->first.size() + 1);
        *name_length = static_cast<std::uint32_t>(it->first.size());
        call.value_name = it->first;
        status = CopyStoredValue(it->second, type, data, size);
      }
    }
  }
  return Finish(std::move(call), status);
}

RegStatus MemoryRegistry::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                       std::uint32_t* max_subkey_length) {
  Call call{Operation::QueryInfoKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  Key* target = nullptr;
  if (status == kErrorSuccess) status = ValueHandle(key, kKeyInfoRights, target);
  if (status == kErrorSuccess) {
    std::uint32_t longest = 0;
    for (const auto& subkey : target->subkeys) {
      longest = std::max(longest, CodePageCharacterCount(subkey->name, double_byte_));
    }
    if (subkeys != nullptr) *subkeys = static_cast<std::uint32_t>(target->subkeys.size());
    if (max_subkey_length != nullptr) *max_subkey_length = longest;
  }
  return Finish(std::move(call), status);
}

}  // namespace quillmark
