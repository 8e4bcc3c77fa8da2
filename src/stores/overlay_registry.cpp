#include "stores/overlay_registry.h"

#include <algorithm>

#include "core/code_page.h"
#include "registry/key_path.h"
#include "stores/registry_reading.h"

namespace quillmark {

namespace {

std::size_t RootIndex(RootKey root) {
  return static_cast<std::uint32_t>(root) - static_cast<std::uint32_t>(RootKey::ClassesRoot);
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

// Makes the key in a registry of our own, with the values given.
void PutKey(MemoryRegistry& into, RootKey root, const std::vector<std::string>& path,
            const std::vector<std::pair<std::string, MemoryRegistry::StoredValue>>& values) {
  RegistryKeyHandle key(into, RootHandle(root));
  if (!path.empty()) {
    RegKey made = 0;
    std::uint32_t disposition = 0;
    into.CreateKey(RootHandle(root), JoinKeyNames(path).c_str(), kKeyAllAccess, &made,
                   &disposition);
    key = RegistryKeyHandle(into, made);
  }
  for (const auto& [name, value] : values) {
    into.SetValue(key.get(), name.c_str(), value.type, value.data.data(),
                  static_cast<std::uint32_t>(value.data.size()));
  }
}

}  // namespace

OverlayRegistry::OverlayRegistry(RegistryApi& store, RootRights root_rights)
    : store_(store), root_rights_(std::move(root_rights)) {
  for (RootKey root : kRootKeys) {
    auto node = std::make_shared<Node>();
    node->name = std::string(RootName(root));
    node->root = root;
    node->backed = true;
    roots_[RootIndex(root)] = std::move(node);
  }
}

OverlayRegistry::~OverlayRegistry() = default;

bool OverlayRegistry::DoubleByteCharacters() const { return store_.DoubleByteCharacters(); }

bool OverlayRegistry::RootGrants(RootKey root, std::uint32_t access) const {
  return !root_rights_ || root_rights_(root, access);
}

bool OverlayRegistry::FindBase(RegKey key, Base& base) {
  for (RootKey root : kRootKeys) {
    if (key == RootHandle(root)) {
      base.node = roots_[RootIndex(root)];
      base.access = RootGrants(root, kKeyAllAccess) ? kKeyAllAccess : kKeyRead;
      base.store_key = key;
      return true;
    }
  }
  auto it = handles_.find(key);
  if (it == handles_.end()) return false;
  base.node = it->second.node;
  base.access = it->second.access;
  base.store_key = it->second.store_key.get();
  return true;
}

RegStatus OverlayRegistry::ValueNode(RegKey key, std::uint32_t any_of, Base& base) {
  if (!FindBase(key, base)) return kErrorInvalidHandle;
  if ((base.access & any_of) == 0) return kErrorAccessDenied;
  if (base.node->removed) return kErrorKeyDeleted;
  return kErrorSuccess;
}

OverlayRegistry::Names OverlayRegistry::PathOf(const Node& node) {
  Names names;
  for (const Node* n = &node; n->parent != nullptr; n = n->parent) names.push_back(n->name);
  std::reverse(names.begin(), names.end());
  return names;
}

RegistryKeyHandle OverlayRegistry::OpenStoreKey(const Node& node, const Names& below,
                                                std::uint32_t access) {
  Names path = PathOf(node);
  path.insert(path.end(), below.begin(), below.end());
  if (path.empty()) return RegistryKeyHandle(store_, RootHandle(node.root));
  RegKey key = 0;
  if (store_.OpenKey(RootHandle(node.root), JoinKeyNames(path).c_str(), access, &key) !=
      kErrorSuccess) {
    return {};
  }
  return RegistryKeyHandle(store_, key);
}

bool OverlayRegistry::StorePresent(const Node& node, const Names& below) {
  return static_cast<bool>(OpenStoreKey(node, below, kKeyRead));
}

bool OverlayRegistry::StoreGrants(const Node& node, std::uint32_t access) {
  if (node.parent == nullptr) return RootGrants(node.root, access);
  return static_cast<bool>(OpenStoreKey(node, {}, access));
}

OverlayRegistry::Node* OverlayRegistry::Child(const Node& parent, std::string_view name) {
  auto it = std::lower_bound(parent.children.begin(), parent.children.end(), name,
                             [](const std::shared_ptr<Node>& node, std::string_view wanted) {
                               return CompareNoCase(node->name, wanted) < 0;
                             });
  return (it != parent.children.end() && EqualsNoCase((*it)->name, name)) ? it->get() : nullptr;
}

std::shared_ptr<OverlayRegistry::Node> OverlayRegistry::SharedOf(Node& node) {
  if (node.parent == nullptr) return roots_[RootIndex(node.root)];
  for (const auto& child : node.parent->children) {
    if (child.get() == &node) return child;
  }
  return nullptr;
}

OverlayRegistry::Node* OverlayRegistry::AddChild(Node& parent, const std::string& name,
                                                 bool backed) {
  auto node = std::make_shared<Node>();
  node->name = name;
  node->root = parent.root;
  node->parent = &parent;
  node->depth = parent.depth + 1;
  node->backed = backed;
  Node* raw = node.get();
  auto it = std::lower_bound(parent.children.begin(), parent.children.end(), name,
                             [](const std::shared_ptr<Node>& n, const std::string& wanted) {
                               return CompareNoCase(n->name, wanted) < 0;
                             });
  parent.children.insert(it, std::move(node));
  return raw;
}

bool OverlayRegistry::Pure(const Node& base, const Names& names) const {
  if (!base.backed) return false;
  const Node* node = &base;
  for (const std::string& name : names) {
    const Node* child = Child(*node, name);
    if (child == nullptr) return !node->removed_names.contains(name);
    if (!child->backed) return false;
    node = child;
  }
  return true;
}

OverlayRegistry::Node* OverlayRegistry::MaterializeBacked(Node& base, const Names& names) {
  Node* node = &base;
  for (const std::string& name : names) {
    Node* child = Child(*node, name);
    node = child != nullptr ? child : AddChild(*node, name, true);
  }
  return node;
}

void OverlayRegistry::MarkMade(Node* node) {
  for (; node != nullptr; node = node->parent) node->made = true;
}

RegKey OverlayRegistry::AddHandle(Node& node, std::uint32_t access, RegistryKeyHandle store_key) {
  const RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_.emplace(handle, Handle{SharedOf(node), access, std::move(store_key)});
  return handle;
}

RegStatus OverlayRegistry::OpenKey(RegKey base, const char* sub, std::uint32_t access,
                                   RegKey* result) {
  return OpenOrCreate(base, sub, access, false, result, nullptr);
}

RegStatus OverlayRegistry::CreateKey(RegKey base, const char* sub, std::uint32_t access,
                                     RegKey* result, std::uint32_t* disposition) {
  return OpenOrCreate(base, sub, access, true, result, disposition);
}

RegStatus OverlayRegistry::OpenOrCreate(RegKey base_key, const char* sub_text, std::uint32_t access,
                                        bool create, RegKey* result, std::uint32_t* disposition) {
  std::string_view sub = OrEmpty(sub_text);
  if (result == nullptr) return kErrorInvalidParameter;
  Base base;
  if (!FindBase(base_key, base)) return kErrorInvalidHandle;
  if (base.node->removed) return kErrorKeyDeleted;
  // Windows lets a leading separator through for HKEY_CLASSES_ROOT opens only.
  if (!create && base_key == RootHandle(RootKey::ClassesRoot) && !sub.empty() && sub[0] == '\\') {
    sub.remove_prefix(1);
  }
  if (!sub.empty() && sub[0] == '\\') return kErrorBadPathname;
  Names names;
  if (RegStatus status = CheckedKeyNames(sub, names); status != kErrorSuccess) return status;
  if (base.node->depth + names.size() > kMaxKeyDepth) return kErrorInvalidParameter;
  if (names.empty() && !create && IsPredefinedHandle(base_key)) {
    *result = base_key;  // a root opened with an empty path gives itself back
    return kErrorSuccess;
  }
  const auto opened = [&](Node& node, RegistryKeyHandle store_key, std::uint32_t how) {
    if (create) MarkMade(&node);
    if (disposition != nullptr) *disposition = how;
    *result = AddHandle(node, access, std::move(store_key));
    return kErrorSuccess;
  };

  if (Pure(*base.node, names)) {
    // Nothing changed on the way: the store itself answers, for the rights as well.
    if (names.empty() && base.node->parent == nullptr) {
      // A further handle to a root: the store would give its predefined handle back unasked.
      if (!RootGrants(base.node->root, access)) return kErrorAccessDenied;
      return opened(*base.node, RegistryKeyHandle(store_, RootHandle(base.node->root)),
                    kRegOpenedExistingKey);
    }
    RegKey store_key = 0;
    const RegStatus status =
        store_.OpenKey(base.store_key, std::string(sub).c_str(), access, &store_key);
    if (status == kErrorSuccess) {
      return opened(*MaterializeBacked(*base.node, names), RegistryKeyHandle(store_, store_key),
                    kRegOpenedExistingKey);
    }
    if (!create || status != kErrorFileNotFound) return status;
    // The deepest key that exists must let subkeys be made below it.
    std::size_t found = 0;
    while (found + 1 < names.size() &&
           StorePresent(*base.node, Names(names.begin(), names.begin() + found + 1))) {
      ++found;
    }
    Node* parent = MaterializeBacked(*base.node, Names(names.begin(), names.begin() + found));
    if (!StoreGrants(*parent, kKeyCreateSubKey)) return kErrorAccessDenied;
    for (std::size_t i = found; i < names.size(); ++i) parent = AddChild(*parent, names[i], false);
    return opened(*parent, {}, kRegCreatedNewKey);
  }

  // Changed on the way: below a key made or removed here, so nothing of the store lies beneath.
  Node* node = base.node.get();
  std::size_t i = 0;
  for (; i < names.size(); ++i) {
    Node* child = Child(*node, names[i]);
    if (child == nullptr) break;
    node = child;
  }
  if (i == names.size()) return opened(*node, {}, kRegOpenedExistingKey);
  if (!create) return kErrorFileNotFound;
  if (node->backed && !StoreGrants(*node, kKeyCreateSubKey)) return kErrorAccessDenied;
  for (; i < names.size(); ++i) node = AddChild(*node, names[i], false);
  return opened(*node, {}, kRegCreatedNewKey);
}

RegStatus OverlayRegistry::CloseKey(RegKey key) {
  if (IsPredefinedHandle(key)) return kErrorSuccess;
  return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

RegStatus OverlayRegistry::FlushKey(RegKey key) {
  Base base;
  if (!FindBase(key, base)) return kErrorInvalidHandle;
  return base.node->removed ? kErrorKeyDeleted : kErrorSuccess;
}

RegStatus OverlayRegistry::QueryValue(RegKey key, const char* name_text, std::uint32_t* type,
                                      std::uint8_t* data, std::uint32_t* size) {
  const std::string name = OrEmpty(name_text);
  Base base;
  if (RegStatus status = ValueNode(key, kKeyQueryValue, base); status != kErrorSuccess) {
    return status;
  }
  auto it = base.node->changes.find(name);
  if (it != base.node->changes.end()) {
    return it->second.value ? CopyStoredValue(*it->second.value, type, data, size)
                            : kErrorFileNotFound;
  }
  if (!base.node->backed) return kErrorFileNotFound;
  return store_.QueryValue(base.store_key, name.c_str(), type, data, size);
}

RegStatus OverlayRegistry::SetValue(RegKey key, const char* name_text, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t size) {
  const std::string name = OrEmpty(name_text);
  Base base;
  if (RegStatus status = ValueNode(key, kKeySetValue, base); status != kErrorSuccess) {
    return status;
  }
  if (name.size() > kMaxValueNameLength || (data == nullptr && size > 0)) {
    return kErrorInvalidParameter;
  }
  MemoryRegistry::StoredValue value{type, std::vector<std::uint8_t>(data, data + size)};
  auto it = base.node->changes.find(name);
  if (it == base.node->changes.end()) {
    base.node->changes.emplace(name, Change{name, std::move(value), false});
  } else {
    if (!it->second.value) it->second.name = name;  // a new value, spelt anew
    it->second.value = std::move(value);
  }
  return kErrorSuccess;
}

RegStatus OverlayRegistry::DeleteValue(RegKey key, const char* name_text) {
  const std::string name = OrEmpty(name_text);
  Base base;
  if (RegStatus status = ValueNode(key, kKeySetValue, base); status != kErrorSuccess) {
    return status;
  }
  Node& node = *base.node;
  auto it = node.changes.find(name);
  bool present = false;
  if (it != node.changes.end()) {
    present = it->second.value.has_value();
  } else if (node.backed) {
    RegistryKeyHandle reader = OpenStoreKey(node, {}, kKeyRead);
    std::uint32_t value_type = 0;
    std::uint32_t value_size = 0;
    present = reader && store_.QueryValue(reader.get(), name.c_str(), &value_type, nullptr,
                                          &value_size) == kErrorSuccess;
  }
  if (!present) return kErrorFileNotFound;
  if (!node.backed) {
    node.changes.erase(it);
  } else if (it == node.changes.end()) {
    node.changes.emplace(name, Change{name, std::nullopt, true});
  } else {
    it->second.value.reset();
    it->second.hides_store = true;
  }
  return kErrorSuccess;
}

RegStatus OverlayRegistry::DeleteKey(RegKey base_key, const char* sub_text) {
  const std::string_view sub = OrEmpty(sub_text);
  Base base;
  if (!FindBase(base_key, base)) return kErrorInvalidHandle;
  if (base.node->removed) return kErrorKeyDeleted;
  if (!sub.empty() && sub[0] == '\\') return kErrorBadPathname;
  Names names;
  if (RegStatus status = CheckedKeyNames(sub, names); status != kErrorSuccess) return status;
  Node* target = base.node.get();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (Node* child = Child(*target, names[i])) {
      target = child;
      continue;
    }
    const Names rest(names.begin() + static_cast<std::ptrdiff_t>(i), names.end());
    if (!target->backed || target->removed_names.contains(names[i]) ||
        !StorePresent(*target, rest)) {
      return kErrorFileNotFound;
    }
    target = MaterializeBacked(*target, rest);
    break;
  }
  // A root, a key with subkeys, or a right the store would refuse.
  if (target->parent == nullptr || !SubkeysOf(*target).empty() ||
      (target->backed && !StoreGrants(*target, kDeleteRight))) {
    return kErrorAccessDenied;
  }
  Node& parent = *target->parent;
  parent.removed_names.insert(target->name);
  target->removed = true;
  target->parent = nullptr;
  parent.children.erase(std::find_if(parent.children.begin(), parent.children.end(),
                                     [&](const auto& child) { return child.get() == target; }));
  return kErrorSuccess;
}

OverlayRegistry::Names OverlayRegistry::SubkeysOf(const Node& node) {
  Names names;
  if (node.backed) {
    if (RegistryKeyHandle reader = OpenStoreKey(node, {}, kKeyRead)) {
      for (std::string& name : SubkeyNames(store_, reader.get())) {
        if (!node.removed_names.contains(name)) names.push_back(std::move(name));
      }
    }
  }
  for (const auto& child : node.children) {
    if (!child->backed) names.push_back(child->name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  return names;
}

std::vector<std::pair<std::string, MemoryRegistry::StoredValue>> OverlayRegistry::ValuesOf(
    const Node& node) {
  std::vector<std::pair<std::string, MemoryRegistry::StoredValue>> values;
  std::set<std::string, NoCaseLess> in_store;
  if (node.backed) {
    if (RegistryKeyHandle reader = OpenStoreKey(node, {}, kKeyRead)) {
      for (const std::string& name : ValueNames(store_, reader.get())) {
        in_store.insert(name);
        auto change = node.changes.find(name);
        if (change == node.changes.end()) {
          if (auto value = ReadStoredValue(store_, reader.get(), name)) {
            values.emplace_back(name, std::move(*value));
          }
        } else if (!change->second.hides_store && change->second.value) {
          values.emplace_back(name, *change->second.value);  // the store's spelling stays
        }
      }
    }
  }
  for (const auto& [name, change] : node.changes) {
    if (change.value && (change.hides_store || !in_store.contains(name))) {
      values.emplace_back(change.name, *change.value);
    }
  }
  std::sort(values.begin(), values.end(),
            [](const auto& a, const auto& b) { return CompareNoCase(a.first, b.first) < 0; });
  return values;
}

RegStatus OverlayRegistry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* name_length) {
  Base base;
  if (RegStatus status = ValueNode(key, kKeyEnumerateSubKeys, base); status != kErrorSuccess) {
    return status;
  }
  if (name == nullptr || name_length == nullptr) return kErrorInvalidParameter;
  const Names names = SubkeysOf(*base.node);
  if (index >= names.size()) return kErrorNoMoreItems;
  return CopyName(names[index], name, name_length);
}

RegStatus OverlayRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                     std::uint32_t* name_length, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  Base base;
  if (RegStatus status = ValueNode(key, kKeyQueryValue, base); status != kErrorSuccess) {
    return status;
  }
  if (name == nullptr || name_length == nullptr) return kErrorInvalidParameter;
  const auto values = ValuesOf(*base.node);
  if (index >= values.size()) return kErrorNoMoreItems;
  const auto& [found, value] = values[index];
  if (RegStatus status = CopyName(found, name, name_length); status != kErrorSuccess) {
    return status;
  }
  return CopyStoredValue(value, type, data, size);
}

RegStatus OverlayRegistry::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                        std::uint32_t* max_subkey_length) {
  Base base;
  if (RegStatus status = ValueNode(key, kKeyInfoRights, base); status != kErrorSuccess) {
    return status;
  }
  const Names names = SubkeysOf(*base.node);
  std::uint32_t longest = 0;
  for (const std::string& name : names) {
    longest = std::max(longest, CodePageCharacterCount(name, store_.DoubleByteCharacters()));
  }
  if (subkeys != nullptr) *subkeys = static_cast<std::uint32_t>(names.size());
  if (max_subkey_length != nullptr) *max_subkey_length = longest;
  return kErrorSuccess;
}

OverlayRegistry::Region OverlayRegistry::ChangedRegion() {
  Region region;
  for (const auto& root : roots_) {
    Names path;
    CollectRegion(*root, path, region);
  }
  return region;
}

void OverlayRegistry::CollectRegion(const Node& node, Names& path, Region& region) {
  if (node.backed) {
    CopyKey(store_, node.root, path, region.before, false);
    PutKey(region.after, node.root, path, ValuesOf(node));
    for (const std::string& name : node.removed_names) {
      path.push_back(name);
      CopyKey(store_, node.root, path, region.before, true);
      path.pop_back();
    }
  } else {
    std::vector<std::pair<std::string, MemoryRegistry::StoredValue>> values;
    for (const auto& [name, change] : node.changes) {
      if (change.value) values.emplace_back(change.name, *change.value);
    }
    PutKey(region.after, node.root, path, values);
  }
  for (const auto& child : node.children) {
    path.push_back(child->name);
    if (child->backed) path.back() = SpellPath(store_, node.root, path).names.back();
    CollectRegion(*child, path, region);
    path.pop_back();
  }
}

std::vector<OverlayRegistry::KeyChanges> OverlayRegistry::Changes() {
  std::vector<KeyChanges> out;
  for (const auto& root : roots_) {
    Names path;
    CollectChanges(*root, path, out);
  }
  return out;
}

void OverlayRegistry::CollectChanges(const Node& node, Names& path, std::vector<KeyChanges>& out) {
  KeyChanges changes{node.root, path, node.made && !path.empty(), {}, {}};
  changes.removed.assign(node.removed_names.begin(), node.removed_names.end());
  for (const auto& [name, change] : node.changes) {
    changes.values.emplace_back(change.name, change.value);
  }
  if (changes.made || !changes.removed.empty() || !changes.values.empty()) {
    out.push_back(std::move(changes));
  }
  for (const auto& child : node.children) {
    path.push_back(child->name);
    if (child->backed) path.back() = SpellPath(store_, node.root, path).names.back();
    CollectChanges(*child, path, out);
    path.pop_back();
  }
}

}  // namespace quillmark
