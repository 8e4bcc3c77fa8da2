#include <windows.h>

#include "registry/win32_registry.h"

#include "core/system_metrics.h"

namespace quillmark {

namespace {

HKEY Native(RegKey key) { return reinterpret_cast<HKEY>(key); }
RegKey Opaque(HKEY key) { return reinterpret_cast<RegKey>(key); }

}  // namespace

RegStatus Win32Registry::OpenKey(RegKey base, const char* sub, std::uint32_t access,
                                 RegKey* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(Native(base), sub, 0, access, &opened);
  if (status == ERROR_SUCCESS) *result = Opaque(opened);
  return status;
}

RegStatus Win32Registry::CreateKey(RegKey base, const char* sub, std::uint32_t access,
                                   RegKey* result, std::uint32_t* disposition) {
  HKEY created = nullptr;
  DWORD how = 0;
  const LONG status = RegCreateKeyExA(Native(base), sub, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &created, &how);
  if (status == ERROR_SUCCESS) {
    *result = Opaque(created);
    if (disposition != nullptr) *disposition = how;
  }
  return status;
}

RegStatus Win32Registry::CloseKey(RegKey key) { return RegCloseKey(Native(key)); }

RegStatus Win32Registry::FlushKey(RegKey key) { return RegFlushKey(Native(key)); }

RegStatus Win32Registry::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  DWORD native_type = 0;
  DWORD native_size = size != nullptr ? *size : 0;
  const LONG status = RegQueryValueExA(Native(key), name, nullptr, &native_type, data,
                                       size != nullptr ? &native_size : nullptr);
  if (type != nullptr) *type = native_type;
  if (size != nullptr) *size = native_size;
  return status;
}

RegStatus Win32Registry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(Native(key), name, 0, type, data, size);
}

RegStatus Win32Registry::DeleteValue(RegKey key, const char* name) {
  return RegDeleteValueA(Native(key), name);
}

RegStatus Win32Registry::DeleteKey(RegKey base, const char* sub) {
  return RegDeleteKeyA(Native(base), sub);
}

RegStatus Win32Registry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                 std::uint32_t* name_length) {
  DWORD length = *name_length;
  const LONG status =
      RegEnumKeyExA(Native(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
  *name_length = length;
  return status;
}

RegStatus Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* name_length, std::uint32_t* type,
                                   std::uint8_t* data, std::uint32_t* size) {
  DWORD length = *name_length;
  DWORD native_type = 0;
  DWORD native_size = size != nullptr ? *size : 0;
  const LONG status = RegEnumValueA(Native(key), index, name, &length, nullptr, &native_type, data,
                                    size != nullptr ? &native_size : nullptr);
  *name_length = length;
  if (type != nullptr) *type = native_type;
  if (size != nullptr) *size = native_size;
  return status;
}

RegStatus Win32Registry::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                      std::uint32_t* max_subkey_length) {
  DWORD count = 0;
  DWORD longest = 0;
  const LONG status = RegQueryInfoKeyA(Native(key), nullptr, nullptr, nullptr, &count, &longest,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (subkeys != nullptr) *subkeys = count;
  if (max_subkey_length != nullptr) *max_subkey_length = longest;
  return status;
}

bool Win32Registry::DoubleByteCharacters() const { return SystemMetric(SM_DBCSENABLED) != 0; }

}  // namespace quillmark
