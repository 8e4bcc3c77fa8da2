// A registry store over another that keeps every change to itself: reads go through to the store
// beneath and are answered as if the changes so far had been made, and nothing ever changes the
// store. Of the store it asks only to open keys, read values and list names; to learn whether a
// change would be granted it opens the key with the rights the change needs.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/ascii_case.h"
#include "registry/registry_api.h"
#include "registry/registry_key_handle.h"
#include "stores/memory_registry.h"

namespace quillmark {

class OverlayRegistry final : public RegistryApi {
 public:
  // Whether the store grants these rights on a root itself, which opening cannot tell: a root
  // opened with an empty path is handed back whatever is asked. Without one, every right.
  using RootRights = std::function<bool(RootKey root, std::uint32_t access)>;

  explicit OverlayRegistry(RegistryApi& store, RootRights root_rights = nullptr);
  ~OverlayRegistry() override;

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
  bool DoubleByteCharacters() const override;

  // The keys the changes concern, as the store has them and as they are now: every key made,
  // removed or with a value changed, and every key opened, with the keys on their way; a removed
  // key with its whole tree. Keys nothing reached are in neither.
  struct Region {
    MemoryRegistry before;
    MemoryRegistry after;
  };
  Region ChangedRegion();

  // What was done to one key, as a registry script can state it, in the order of the key tree.
  struct KeyChanges {
    RootKey root;
    std::vector<std::string> names;    // from the root, spelt as the store or the maker spelt them
    bool made;                         // opened or made with creation: it exists afterwards
    std::vector<std::string> removed;  // subkeys removed at some point, whatever came after
    // Values written (with their last data) or removed (without).
    std::vector<std::pair<std::string, std::optional<MemoryRegistry::StoredValue>>> values;
  };
  std::vector<KeyChanges> Changes();

 private:
  struct Change {
    std::string name;  // as written, or as the store spells it while the store's value stands
    std::optional<MemoryRegistry::StoredValue> value;  // nothing: removed
    bool hides_store = false;  // the store's value of this name was removed: this one is new
  };
  struct Node {
    std::string name;
    RootKey root = RootKey::CurrentUser;
    Node* parent = nullptr;  // null for a root and for a removed key
    std::size_t depth = 0;
    bool backed = false;  // the store's key of this path lies beneath
    bool removed = false;
    bool made = false;
    std::vector<std::shared_ptr<Node>> children;  // reached or made; in case-insensitive order
    std::set<std::string, NoCaseLess> removed_names;
    std::map<std::string, Change, NoCaseLess> changes;  // of a key not backed: all its values
  };
  struct Handle {
    std::shared_ptr<Node> node;
    std::uint32_t access = 0;
    RegistryKeyHandle store_key;  // the store's own handle to a backed key
  };
  struct Base {
    std::shared_ptr<Node> node;
    std::uint32_t access = 0;
    RegKey store_key = 0;
  };
  using Names = std::vector<std::string>;

  bool FindBase(RegKey key, Base& base);
  RegStatus ValueNode(RegKey key, std::uint32_t any_of, Base& base);
  RegStatus OpenOrCreate(RegKey base, const char* sub, std::uint32_t access, bool create,
                         RegKey* result, std::uint32_t* disposition);
  bool RootGrants(RootKey root, std::uint32_t access) const;
  bool StoreGrants(const Node& node, std::uint32_t access);
  bool StorePresent(const Node& node, const Names& below);
  RegistryKeyHandle OpenStoreKey(const Node& node, const Names& below, std::uint32_t access);
  static Names PathOf(const Node& node);
  static Node* Child(const Node& parent, std::string_view name);
  std::shared_ptr<Node> SharedOf(Node& node);
  Node* AddChild(Node& parent, const std::string& name, bool backed);
  bool Pure(const Node& base, const Names& names) const;
  Node* MaterializeBacked(Node& base, const Names& names);
  static void MarkMade(Node* node);
  RegKey AddHandle(Node& node, std::uint32_t access, RegistryKeyHandle store_key);
  Names SubkeysOf(const Node& node);
  std::vector<std::pair<std::string, MemoryRegistry::StoredValue>> ValuesOf(const Node& node);
  void CollectRegion(const Node& node, Names& path, Region& region);
  void CollectChanges(const Node& node, Names& path, std::vector<KeyChanges>& out);

  RegistryApi& store_;
  RootRights root_rights_;
  std::shared_ptr<Node> roots_[3];
  std::unordered_map<RegKey, Handle> handles_;
  RegKey next_handle_ = 0x1000;
};

}  // namespace quillmark
