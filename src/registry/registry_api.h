// The registry store interface: the advapi32 calls the registry object makes, one method each,
// returning Win32 error codes. Win32Registry passes them to Windows; MemoryRegistry keeps a key
// tree of its own that follows the same rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillmark {

// A Win32 error code (LONG in advapi32).
using RegStatus = std::int32_t;

inline constexpr RegStatus kErrorSuccess = 0;
inline constexpr RegStatus kErrorFileNotFound = 2;
inline constexpr RegStatus kErrorAccessDenied = 5;
inline constexpr RegStatus kErrorInvalidHandle = 6;
inline constexpr RegStatus kErrorInvalidParameter = 87;
inline constexpr RegStatus kErrorBadPathname = 161;
inline constexpr RegStatus kErrorMoreData = 234;
inline constexpr RegStatus kErrorNoMoreItems = 259;
inline constexpr RegStatus kErrorKeyDeleted = 1018;

// Stored value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access rights.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x0200;
inline constexpr std::uint32_t kKeyViewBits = kKeyWow64_64Key | kKeyWow64_32Key;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kDeleteRight = 0x10000;
// Windows 7 answers key information through KEY_QUERY_VALUE or any right to change the key
// (KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER).
inline constexpr std::uint32_t kKeyInfoRights = kKeyQueryValue | 0x2 | 0x4 | 0x20 | 0xD0000;

// Create dispositions.
inline constexpr std::uint32_t kRegCreatedNewKey = 1;
inline constexpr std::uint32_t kRegOpenedExistingKey = 2;

// The longest key name and value name, in characters, and the deepest nesting below a root.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxKeyDepth = 512;

// An opaque key handle, as wide as HKEY. Zero is never a valid handle.
using RegKey = std::uintptr_t;

enum class RootKey : std::uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
};

inline constexpr RootKey kRootKeys[] = {RootKey::ClassesRoot, RootKey::CurrentUser,
                                        RootKey::LocalMachine};

// The predefined handle of a root: the 32-bit constant sign-extended, as HKEY holds it.
constexpr RegKey RootHandle(RootKey root) {
  return static_cast<RegKey>(
      static_cast<std::intptr_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(root))));
}

// Predefined handles (HKEY_CLASSES_ROOT up to HKEY_DYN_DATA) are never closed by their users.
constexpr bool IsPredefinedHandle(RegKey key) {
  return key >= RootHandle(static_cast<RootKey>(0x80000000u)) &&
         key <= RootHandle(static_cast<RootKey>(0x80000006u));
}

std::string_view RootName(RootKey root);

class RegistryApi {
 public:
  RegistryApi() = default;
  RegistryApi(const RegistryApi&) = delete;
  RegistryApi& operator=(const RegistryApi&) = delete;
  virtual ~RegistryApi() = default;

 protected:
  RegistryApi(RegistryApi&&) = default;
  RegistryApi& operator=(RegistryApi&&) = default;

 public:
  // RegOpenKeyExA. An empty sub opens a further handle to base (a root gives itself back).
  virtual RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) = 0;
  // RegCreateKeyExA with REG_OPTION_NON_VOLATILE, no class and no security attributes.
  virtual RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                              std::uint32_t* disposition) = 0;
  virtual RegStatus CloseKey(RegKey key) = 0;
  virtual RegStatus FlushKey(RegKey key) = 0;
  // RegQueryValueExA. With data null only type and size are asked for; size is in/out.
  virtual RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) = 0;
  virtual RegStatus SetValue(RegKey key, const char* name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) = 0;
  virtual RegStatus DeleteValue(RegKey key, const char* name) = 0;
  virtual RegStatus DeleteKey(RegKey base, const char* sub) = 0;
  // RegEnumKeyExA: name_length is the buffer size in, the name's length without its zero out.
  virtual RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                            std::uint32_t* name_length) = 0;
  // RegEnumValueA: name_length is the buffer size in, the name's length without its zero out;
  // type, data and size as for QueryValue.
  virtual RegStatus EnumValue(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t* name_length, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* size) = 0;
  // RegQueryInfoKeyA for the subkey count and the longest subkey name (in characters).
  virtual RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                 std::uint32_t* max_subkey_length) = 0;
  // Whether the system code page has double-byte characters, which can make a name's byte
  // count up to twice its character count.
  virtual bool DoubleByteCharacters() const = 0;
};

}  // namespace quillmark
