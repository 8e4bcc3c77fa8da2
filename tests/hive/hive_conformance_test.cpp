// The conformance table over hive files: an empty hive, and one grown from a registry script
// with the test key and other keys in it already, so that reads and removals reach the hive.
#include <filesystem>
#include <memory>

#include "hive/forwarding_store.h"
#include "hive/hive_files.h"
#include "hive/hive_registry.h"
#include "support/files.h"
#include "support/store_conformance.h"

namespace quillmark::testing::conformance {
namespace {

constexpr const char* kGrown =
    "[\\Software]\n\"Kept\"=dword:00000007\n\n"
    "[\\Software\\QuillmarkTest]\n\"old\"=hex(1):6f,00,6c,00,64,00,00,00\n\n"
    "[\\Software\\QuillmarkTest\\Old Sub]\n@=hex:01,02,03,04,05\n\n"
    "[\\Software\\Other]\n\"x\"=hex(1):79,00,00,00\n\n";

// The hive store of HKEY_CURRENT_USER over a hive in a folder of its own, removed with it.
class HiveInFolder final : public ForwardingStore {
 public:
  explicit HiveInFolder(const std::string& script)
      : folder_(FreshTestFolder("quillmark-hive-conformance-")), hive_(Made(folder_, script)) {}
  ~HiveInFolder() override {
    hive_.reset();
    std::filesystem::remove_all(folder_);
  }

 protected:
  RegistryApi& Target() override { return *hive_; }

 private:
  static std::unique_ptr<HiveRegistry> Made(const std::filesystem::path& folder,
                                            const std::string& script) {
    const std::filesystem::path path = folder / "NTUSER.DAT";
    MakeHive(path, script);
    return std::make_unique<HiveRegistry>(path.string(), RootKey::CurrentUser,
                                          HiveRegistry::Use::Change);
  }

  std::filesystem::path folder_;
  std::unique_ptr<HiveRegistry> hive_;
};

std::vector<StoreKind> HiveStores() {
  return {{"EmptyHive", [] { return std::make_unique<HiveInFolder>(""); }, false},
          {"GrownHive", [] { return std::make_unique<HiveInFolder>(kGrown); }, false}};
}

INSTANTIATE_TEST_SUITE_P(Hives, StoreConformance, ::testing::ValuesIn(HiveStores()), StoreName);

}  // namespace
}  // namespace quillmark::testing::conformance
