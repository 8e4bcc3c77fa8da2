// The registry object: a root key, at most one current key, typed reads and writes of values,
// presence tests and removal of key trees, over any registry store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "registry/registry_key_handle.h"

namespace quillmark {

enum class RegValueKind { KindUnknown, KindString, KindExpandString, KindInteger, KindBinary };

// The rights KeyPresent asks for: STANDARD_RIGHTS_READ, KEY_QUERY_VALUE, KEY_ENUMERATE_SUB_KEYS.
inline constexpr std::uint32_t kKeyPresenceRights = 0x20009;

class TRegistry {
 public:
  explicit TRegistry(RegistryApi& api);
  TRegistry(RegistryApi& api, std::uint32_t access_mask);
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;
  ~TRegistry();

  RootKey Root() const { return root_; }
  std::uint32_t AccessMask() const { return access_mask_; }
  void SetAccessMask(std::uint32_t mask) { access_mask_ = mask; }
  bool FlushOnClose() const { return flush_on_close_; }
  void SetFlushOnClose(bool flush) { flush_on_close_ = flush; }
  bool HasCurrentKey() const { return static_cast<bool>(current_); }

  void SelectRoot(RootKey root);
  bool OpenAsCurrent(const std::string& path, bool create);
  void CloseCurrent();
  bool MakeKey(const std::string& path);
  bool KeyPresent(const std::string& path);

  bool ValuePresent(const std::string& name);
  int ValueSize(const std::string& name);
  RegValueKind ValueKind(const std::string& name);
  std::string ReadText(const std::string& name);
  void WriteText(const std::string& name, const std::string& text);
  std::int32_t ReadNumber(const std::string& name);
  void WriteNumber(const std::string& name, std::int32_t value);
  bool ReadFlag(const std::string& name);
  int ReadBytes(const std::string& name, void* buffer, int capacity);
  void ListSubkeys(std::vector<std::string>& list);
  bool RemoveValue(const std::string& name);
  bool RemoveKey(const std::string& path);

 private:
  struct Path {
    bool relative;
    std::string sub;  // without the leading separator of an absolute path
  };
  struct ValueInfo {
    bool present = false;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
  };

  static Path SplitPath(const std::string& path);
  RegKey BaseKey(const Path& path) const;
  ValueInfo QueryValueInfo(const std::string& name);
  RegValueKind Fetch(const std::string& name, void* buffer, std::uint32_t capacity);
  std::vector<char> SubkeyNameBuffer(std::uint32_t longest_name) const;
  void WriteData(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                 std::uint32_t size);

  RegistryApi& api_;
  RegistryKeyHandle current_;
  RootKey root_ = RootKey::CurrentUser;
  bool flush_on_close_ = false;
  std::uint32_t access_mask_ = kKeyAllAccess;
};

}  // namespace quillmark
