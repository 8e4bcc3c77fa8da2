#include "registry/tregistry.h"

#include <cstring>
#include <utility>

#include "core/failure_classes.h"
#include "registry/registry_messages.h"

namespace quillmark {

namespace {

RegValueKind KindOf(std::uint32_t type) {
  switch (type) {
    case kRegSz:
      return RegValueKind::KindString;
    case kRegExpandSz:
      return RegValueKind::KindExpandString;
    case kRegDword:
      return RegValueKind::KindInteger;
    case kRegBinary:
      return RegValueKind::KindBinary;
    default:
      return RegValueKind::KindUnknown;
  }
}

[[noreturn]] void Raise(std::string_view format, const std::string& text) {
  throw ERegistryException(FillPlaceholder(format, text));
}

}  // namespace

TRegistry::TRegistry(RegistryApi& api) : api_(api) {}

TRegistry::TRegistry(RegistryApi& api, std::uint32_t access_mask)
    : api_(api), access_mask_(access_mask) {}

TRegistry::~TRegistry() { CloseCurrent(); }

TRegistry::Path TRegistry::SplitPath(const std::string& path) {
  if (!path.empty() && path[0] == '\\') return {false, path.substr(1)};
  return {true, path};
}

RegKey TRegistry::BaseKey(const Path& path) const {
  return (path.relative && current_) ? current_.get() : RootHandle(root_);
}

void TRegistry::SelectRoot(RootKey root) {
  if (root == root_) return;
  root_ = root;
  CloseCurrent();
}

bool TRegistry::OpenAsCurrent(const std::string& path, bool create) {
  const Path split = SplitPath(path);
  RegKey opened = 0;
  RegStatus status;
  if (create && !split.sub.empty()) {
    std::uint32_t disposition = 0;
    status = api_.CreateKey(BaseKey(split), split.sub.c_str(), access_mask_, &opened, &disposition);
  } else {
    status = api_.OpenKey(BaseKey(split), split.sub.c_str(), access_mask_, &opened);
  }
  if (status != kErrorSuccess) return false;
  RegistryKeyHandle key(api_, opened);
  CloseCurrent();
  current_ = std::move(key);
  return true;
}

void TRegistry::CloseCurrent() {
  if (!current_) return;
  if (flush_on_close_) api_.FlushKey(current_.get());
  current_.reset();
}

bool TRegistry::MakeKey(const std::string& path) {
  const Path split = SplitPath(path);
  RegKey made = 0;
  std::uint32_t disposition = 0;
  if (api_.CreateKey(BaseKey(split), split.sub.c_str(), kKeyAllAccess, &made, &disposition) !=
      kErrorSuccess) {
    Raise(kFailedToCreateKey, path);
  }
  RegistryKeyHandle(api_, made).reset();
  return true;
}

bool TRegistry::KeyPresent(const std::string& path) {
  const Path split = SplitPath(path);
  struct RestoreMask {
    std::uint32_t& mask;
    std::uint32_t saved;
    ~RestoreMask() { mask = saved; }
  } restore{access_mask_, access_mask_};
  access_mask_ = kKeyPresenceRights | (restore.saved & kKeyViewBits);
  RegKey opened = 0;
  const bool present =
      api_.OpenKey(BaseKey(split), split.sub.c_str(), access_mask_, &opened) == kErrorSuccess;
  if (present) RegistryKeyHandle(api_, opened).reset();
  return present;
}

TRegistry::ValueInfo TRegistry::QueryValueInfo(const std::string& name) {
  ValueInfo info;
  info.present = api_.QueryValue(current_.get(), name.c_str(), &info.type, nullptr, &info.size) ==
                 kErrorSuccess;
  return info;
}

bool TRegistry::ValuePresent(const std::string& name) { return QueryValueInfo(name).present; }

int TRegistry::ValueSize(const std::string& name) {
  const ValueInfo info = QueryValueInfo(name);
  return info.present ? static_cast<int>(info.size) : -1;
}

RegValueKind TRegistry::ValueKind(const std::string& name) {
  const ValueInfo info = QueryValueInfo(name);
  return info.present ? KindOf(info.type) : RegValueKind::KindUnknown;
}

RegValueKind TRegistry::Fetch(const std::string& name, void* buffer, std::uint32_t capacity) {
  std::uint32_t type = 0;
  std::uint32_t size = capacity;
  if (api_.QueryValue(current_.get(), name.c_str(), &type, static_cast<std::uint8_t*>(buffer),
                      &size) != kErrorSuccess) {
    Raise(kFailedToGetData, name);
  }
  return KindOf(type);
}

std::string TRegistry::ReadText(const std::string& name) {
  const int size = ValueSize(name);
  if (size <= 0) return {};
  std::string data(static_cast<std::size_t>(size), '\0');
  const RegValueKind kind = Fetch(name, data.data(), static_cast<std::uint32_t>(size));
  if (kind != RegValueKind::KindString && kind != RegValueKind::KindExpandString) {
    Raise(kInvalidDataType, name);
  }
  if (auto zero = data.find('\0'); zero != std::string::npos) data.resize(zero);
  return data;
}

std::int32_t TRegistry::ReadNumber(const std::string& name) {
  // A REG_DWORD stored with fewer than four bytes leaves the rest of the number zero.
  std::uint8_t bytes[4] = {0, 0, 0, 0};
  if (Fetch(name, bytes, sizeof bytes) != RegValueKind::KindInteger) Raise(kInvalidDataType, name);
  const std::uint32_t value =
      static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(value);
}

bool TRegistry::ReadFlag(const std::string& name) { return ReadNumber(name) != 0; }

int TRegistry::ReadBytes(const std::string& name, void* buffer, int capacity) {
  const ValueInfo info = QueryValueInfo(name);
  if (!info.present) return 0;
  const RegValueKind kind = KindOf(info.type);
  const bool binary = kind == RegValueKind::KindBinary || kind == RegValueKind::KindUnknown;
  if (!binary || capacity < 0 || info.size > static_cast<std::uint32_t>(capacity)) {
    Raise(kInvalidDataType, name);
  }
  Fetch(name, buffer, info.size);
  return static_cast<int>(info.size);
}

void TRegistry::WriteData(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) {
  if (api_.SetValue(current_.get(), name.c_str(), type, data, size) != kErrorSuccess) {
    Raise(kFailedToSetData, name);
  }
}

void TRegistry::WriteText(const std::string& name, const std::string& text) {
  // The text's bytes and one terminating zero; c_str() provides the zero.
  WriteData(name, kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
            static_cast<std::uint32_t>(text.size() + 1));
}

void TRegistry::WriteNumber(const std::string& name, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
      static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  WriteData(name, kRegDword, bytes, sizeof bytes);
}

bool TRegistry::RemoveValue(const std::string& name) {
  return api_.DeleteValue(current_.get(), name.c_str()) == kErrorSuccess;
}

std::vector<char> TRegistry::SubkeyNameBuffer(std::uint32_t longest_name) const {
  // In a double-byte code page a name of n characters may take 2n bytes.
  const std::size_t bytes = api_.DoubleByteCharacters() ? 2 * std::size_t{longest_name} + 1
                                                        : std::size_t{longest_name} + 1;
  return std::vector<char>(bytes);
}

void TRegistry::ListSubkeys(std::vector<std::string>& list) {
  list.clear();
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  if (api_.QueryInfoKey(current_.get(), &count, &longest) != kErrorSuccess) return;
  std::vector<char> name = SubkeyNameBuffer(longest);
  for (std::uint32_t i = 0; i < count; ++i) {
    auto length = static_cast<std::uint32_t>(name.size());
    if (api_.EnumKey(current_.get(), i, name.data(), &length) == kErrorSuccess) {
      list.emplace_back(name.data(), length);
    }
  }
}

bool TRegistry::RemoveKey(const std::string& path) {
  const Path split = SplitPath(path);
  RegKey opened = 0;
  if (api_.OpenKey(BaseKey(split), split.sub.c_str(), access_mask_, &opened) == kErrorSuccess) {
    // The key being removed is current while its subkeys go, so that their bare names resolve
    // against it; the remembered key comes back however the loop ends.
    RegistryKeyHandle temporary(api_, opened);
    std::swap(current_, temporary);
    struct Restore {
      RegistryKeyHandle& current;
      RegistryKeyHandle& remembered;
      ~Restore() { std::swap(current, remembered); }
    } restore{current_, temporary};

    std::uint32_t count = 0;
    std::uint32_t longest = 0;
    if (api_.QueryInfoKey(current_.get(), &count, &longest) == kErrorSuccess) {
      std::vector<char> name = SubkeyNameBuffer(longest);
      // From the highest index down, so the indexes still to visit stay valid.
      for (std::uint32_t i = count; i-- > 0;) {
        auto length = static_cast<std::uint32_t>(name.size());
        if (api_.EnumKey(current_.get(), i, name.data(), &length) == kErrorSuccess) {
          RemoveKey(std::string(name.data(), length));
        }
      }
    }
  }
  return api_.DeleteKey(BaseKey(split), split.sub.c_str()) == kErrorSuccess;
}

}  // namespace quillmark
