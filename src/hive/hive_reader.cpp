#include "hive/hive_reader.h"

#include <algorithm>
#include <cstring>

#include "core/ascii_case.h"
#include "hive/hive_handle.h"
#include "hive/hive_text.h"
#include "stores/memory_registry.h"

namespace quillmark {

HiveReader::HiveReader(hive_h* hive, RootKey root) : hive_(hive), root_(root) {
  root_handle_.node = hivex_root(hive);
}

void HiveReader::Rebind(hive_h* hive) {
  hive_ = hive;
  for (Handle* handle = &root_handle_; handle != nullptr; handle = nullptr) {
    handle->listed = false;
    handle->subkeys.clear();
  }
  for (auto& [key, handle] : handles_) {
    handle.listed = false;
    handle.subkeys.clear();
  }
}

HiveReader::Handle* HiveReader::Find(RegKey key) {
  if (key == RootHandle(root_)) return &root_handle_;
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : &it->second;
}

HiveReader::Handle& HiveReader::Listed(Handle& handle) {
  if (handle.listed) return handle;
  HivexMemory<hive_node_h> children(hivex_node_children(hive_, handle.node));
  for (const hive_node_h* child = children.get(); child != nullptr && *child != 0; ++child) {
    HivexMemory<char> name(hivex_node_name(hive_, *child));
    if (name) handle.subkeys.push_back(NameFromHive(name.get()));
  }
  std::sort(handle.subkeys.begin(), handle.subkeys.end(), NoCaseLess{});
  handle.listed = true;
  return handle;
}

RegStatus HiveReader::OpenKey(RegKey base, const char* sub, std::uint32_t, RegKey* result) {
  if (result == nullptr) return kErrorInvalidParameter;
  Handle* from = Find(base);
  if (from == nullptr) return kErrorInvalidHandle;
  const std::string_view path = sub != nullptr ? sub : "";
  if (!path.empty() && path[0] == '\\') return kErrorBadPathname;
  hive_node_h node = from->node;
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t end = std::min(path.find('\\', at), path.size());
    const std::string_view name = path.substr(at, end - at);
    at = end + 1;
    if (name.empty()) continue;
    if (name.size() > kMaxKeyNameLength) return kErrorInvalidParameter;
    node = hivex_node_get_child(hive_, node, NameToHive(name).c_str());
    if (node == 0) return kErrorFileNotFound;
  }
  if (path.empty() && base == RootHandle(root_)) {
    *result = base;
    return kErrorSuccess;
  }
  const RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_.emplace(handle, Handle{node, false, {}});
  *result = handle;
  return kErrorSuccess;
}

RegStatus HiveReader::CreateKey(RegKey, const char*, std::uint32_t, RegKey*, std::uint32_t*) {
  return kErrorAccessDenied;
}

RegStatus HiveReader::CloseKey(RegKey key) {
  if (IsPredefinedHandle(key)) return kErrorSuccess;
  return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

RegStatus HiveReader::FlushKey(RegKey key) {
  return Find(key) != nullptr ? kErrorSuccess : kErrorInvalidHandle;
}

RegStatus HiveReader::CopyValue(hive_value_h value, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
  std::uint32_t kind = 0;
  std::size_t length = 0;
  HivexMemory<char> bytes(hivex_value_value(hive_, value, TypeSlot(kind), &length));
  if (!bytes) return kErrorFileNotFound;  // a value record hivex cannot read
  const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.get());
  MemoryRegistry::StoredValue copy{kind, DataFromHive(kind, HiveBytes(first, first + length))};
  return CopyStoredValue(copy, type, data, size);
}

RegStatus HiveReader::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  const hive_value_h value =
      hivex_node_get_value(hive_, handle->node, NameToHive(name != nullptr ? name : "").c_str());
  if (value == 0) return kErrorFileNotFound;
  return CopyValue(value, type, data, size);
}

RegStatus HiveReader::SetValue(RegKey, const char*, std::uint32_t, const std::uint8_t*,
                               std::uint32_t) {
  return kErrorAccessDenied;
}

RegStatus HiveReader::DeleteValue(RegKey, const char*) { return kErrorAccessDenied; }

RegStatus HiveReader::DeleteKey(RegKey, const char*) { return kErrorAccessDenied; }

RegStatus HiveReader::EnumKey(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t* name_length) {
  Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if (name == nullptr || name_length == nullptr) return kErrorInvalidParameter;
  const std::vector<std::string>& subkeys = Listed(*handle).subkeys;
  if (index >= subkeys.size()) return kErrorNoMoreItems;
  const std::string& found = subkeys[index];
  if (found.size() + 1 > *name_length) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *name_length = static_cast<std::uint32_t>(found.size());
  return kErrorSuccess;
}

RegStatus HiveReader::EnumValue(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t* name_length, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
  Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if (name == nullptr || name_length == nullptr) return kErrorInvalidParameter;
  HivexMemory<hive_value_h> values(hivex_node_values(hive_, handle->node));
  std::size_t count = 0;
  while (values && values.get()[count] != 0) ++count;
  if (index >= count) return kErrorNoMoreItems;
  const hive_value_h value = values.get()[index];
  HivexMemory<char> key_name(hivex_value_key(hive_, value));
  const std::string found = NameFromHive(key_name ? key_name.get() : "");
  if (found.size() + 1 > *name_length) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *name_length = static_cast<std::uint32_t>(found.size());
  return CopyValue(value, type, data, size);
}

RegStatus HiveReader::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                   std::uint32_t* max_subkey_length) {
  Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  const std::vector<std::string>& names = Listed(*handle).subkeys;
  std::size_t longest = 0;
  for (const std::string& name : names) longest = std::max(longest, name.size());
  if (subkeys != nullptr) *subkeys = static_cast<std::uint32_t>(names.size());
  if (max_subkey_length != nullptr) *max_subkey_length = static_cast<std::uint32_t>(longest);
  return kErrorSuccess;
}

}  // namespace quillmark
