#include "stores/registry_reading.h"

#include "core/ascii_case.h"
#include "registry/registry_key_handle.h"

namespace quillmark {

namespace {

// A value name of the longest length in a double-byte code page, with its zero.
constexpr std::uint32_t kValueNameBuffer = 2 * kMaxValueNameLength + 1;

RegistryKeyHandle OpenForReading(RegistryApi& store, RootKey root,
                                 const std::vector<std::string>& names) {
  RegKey key = 0;
  if (store.OpenKey(RootHandle(root), JoinKeyNames(names).c_str(), kKeyRead, &key) !=
      kErrorSuccess) {
    return {};
  }
  return RegistryKeyHandle(store, key);
}

RegistryKeyHandle MakeKey(MemoryRegistry& into, RootKey root,
                          const std::vector<std::string>& names) {
  RegKey key = 0;
  std::uint32_t disposition = 0;
  if (names.empty()) return RegistryKeyHandle(into, RootHandle(root));
  into.CreateKey(RootHandle(root), JoinKeyNames(names).c_str(), kKeyAllAccess, &key, &disposition);
  return RegistryKeyHandle(into, key);
}

void CopyInto(RegistryApi& store, RegKey from, MemoryRegistry& into, RootKey root,
              std::vector<std::string>& names, bool subtree) {
  RegistryKeyHandle made = MakeKey(into, root, names);
  for (const std::string& name : ValueNames(store, from)) {
    if (auto value = ReadStoredValue(store, from, name)) {
      into.SetValue(made.get(), name.c_str(), value->type, value->data.data(),
                    static_cast<std::uint32_t>(value->data.size()));
    }
  }
  if (!subtree) return;
  for (const std::string& name : SubkeyNames(store, from)) {
    RegKey sub = 0;
    if (store.OpenKey(from, name.c_str(), kKeyRead, &sub) != kErrorSuccess) continue;
    RegistryKeyHandle held(store, sub);
    names.push_back(name);
    CopyInto(store, sub, into, root, names, true);
    names.pop_back();
  }
}

}  // namespace

std::vector<std::string> SubkeyNames(RegistryApi& store, RegKey key) {
  std::vector<std::string> names;
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  if (store.QueryInfoKey(key, &count, &longest) != kErrorSuccess) return names;
  // In a double-byte code page a name of n characters may take 2n bytes.
  std::vector<char> buffer(store.DoubleByteCharacters() ? 2 * std::size_t{longest} + 1
                                                        : std::size_t{longest} + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    auto length = static_cast<std::uint32_t>(buffer.size());
    if (store.EnumKey(key, i, buffer.data(), &length) == kErrorSuccess) {
      names.emplace_back(buffer.data(), length);
    }
  }
  return names;
}

std::vector<std::string> ValueNames(RegistryApi& store, RegKey key) {
  std::vector<std::string> names;
  std::vector<char> buffer(kValueNameBuffer);
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t length = kValueNameBuffer;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const RegStatus status = store.EnumValue(key, i, buffer.data(), &length, &type, nullptr, &size);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess) {
      if (status == kErrorMoreData) continue;
      break;
    }
    names.emplace_back(buffer.data(), length);
  }
  return names;
}

std::optional<MemoryRegistry::StoredValue> ReadStoredValue(RegistryApi& store, RegKey key,
                                                           const std::string& name) {
  MemoryRegistry::StoredValue value;
  std::uint32_t size = 0;
  if (store.QueryValue(key, name.c_str(), &value.type, nullptr, &size) != kErrorSuccess) {
    return std::nullopt;
  }
  while (true) {
    value.data.resize(size);
    // A buffer, however small, so that the store is asked for data and not only for the size.
    std::uint8_t none = 0;
    std::uint8_t* buffer = size > 0 ? value.data.data() : &none;
    const RegStatus status = store.QueryValue(key, name.c_str(), &value.type, buffer, &size);
    if (status == kErrorSuccess) break;
    if (status != kErrorMoreData) return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

SpelledPath SpellPath(RegistryApi& store, RootKey root, const std::vector<std::string>& names) {
  SpelledPath spelled;
  RegistryKeyHandle current(store, RootHandle(root));
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::optional<std::string> found;
    for (const std::string& name : SubkeyNames(store, current.get())) {
      if (EqualsNoCase(name, names[i])) found = name;
    }
    RegKey next = 0;
    if (!found || store.OpenKey(current.get(), found->c_str(), kKeyRead, &next) != kErrorSuccess) {
      spelled.names.insert(spelled.names.end(), names.begin() + static_cast<std::ptrdiff_t>(i),
                           names.end());
      return spelled;
    }
    spelled.names.push_back(*found);
    current = RegistryKeyHandle(store, next);
  }
  spelled.exists = true;
  return spelled;
}

bool CopyKey(RegistryApi& store, RootKey root, const std::vector<std::string>& names,
             MemoryRegistry& into, bool subtree) {
  SpelledPath spelled = SpellPath(store, root, names);
  if (!spelled.exists) return false;
  RegistryKeyHandle key = spelled.names.empty() ? RegistryKeyHandle(store, RootHandle(root))
                                                : OpenForReading(store, root, spelled.names);
  if (!key) return false;
  CopyInto(store, key.get(), into, root, spelled.names, subtree);
  return true;
}

const MemoryRegistry::Key* FindKey(const MemoryRegistry& registry, RootKey root,
                                   const std::vector<std::string>& names) {
  const MemoryRegistry::Key* key = &registry.Root(root);
  for (const std::string& name : names) {
    const MemoryRegistry::Key* next = nullptr;
    for (const auto& subkey : key->subkeys) {
      if (EqualsNoCase(subkey->name, name)) next = subkey.get();
    }
    if (next == nullptr) return nullptr;
    key = next;
  }
  return key;
}

MemoryRegistry CopyRegistry(RegistryApi& store) {
  MemoryRegistry copy;
  for (RootKey root : kRootKeys) CopyKey(store, root, {}, copy, true);
  return copy;
}

}  // namespace quillmark
