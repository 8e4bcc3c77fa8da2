#include "registry/win32_registry.h"
#include "support/stores.h"

namespace quillmark::testing {

void AddPlatformStores(std::vector<StoreKind>& stores) {
  stores.push_back({"Win32", [] { return std::make_unique<Win32Registry>(); }, true});
}

}  // namespace quillmark::testing
