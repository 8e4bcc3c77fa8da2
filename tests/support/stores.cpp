#include "support/stores.h"

#include "stores/memory_registry.h"
#include "stores/overlay_registry.h"

namespace quillmark::testing {

namespace {

// The overlay over an empty store of its own: every key the tests make is the overlay's.
class OverlayOverMemory final : public RegistryApi {
 public:
  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override {
    return overlay_.OpenKey(base, sub, access, result);
  }
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override {
    return overlay_.CreateKey(base, sub, access, result, disposition);
  }
  RegStatus CloseKey(RegKey key) override { return overlay_.CloseKey(key); }
  RegStatus FlushKey(RegKey key) override { return overlay_.FlushKey(key); }
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    return overlay_.QueryValue(key, name, type, data, size);
  }
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override {
    return overlay_.SetValue(key, name, type, data, size);
  }
  RegStatus DeleteValue(RegKey key, const char* name) override {
    return overlay_.DeleteValue(key, name);
  }
  RegStatus DeleteKey(RegKey base, const char* sub) override {
    return overlay_.DeleteKey(base, sub);
  }
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override {
    return overlay_.EnumKey(key, index, name, name_length);
  }
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override {
    return overlay_.EnumValue(key, index, name, name_length, type, data, size);
  }
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override {
    return overlay_.QueryInfoKey(key, subkeys, max_subkey_length);
  }
  bool DoubleByteCharacters() const override { return overlay_.DoubleByteCharacters(); }

 private:
  MemoryRegistry store_;
  OverlayRegistry overlay_{store_};
};

}  // namespace

std::vector<StoreKind> AllStores() {
  std::vector<StoreKind> stores{
      {"Memory", [] { return std::make_unique<MemoryRegistry>(); }, false},
      {"Overlay", [] { return std::make_unique<OverlayOverMemory>(); }, false}};
  AddPlatformStores(stores);
  return stores;
}

}  // namespace quillmark::testing
