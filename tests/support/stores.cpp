#include "support/stores.h"

#include "platform/memory_registry.h"

namespace quillmark::testing {

std::vector<StoreKind> AllStores() {
  std::vector<StoreKind> stores{
      {"Memory", [] { return std::make_unique<MemoryRegistry>(); }, false}};
  AddPlatformStores(stores);
  return stores;
}

}  // namespace quillmark::testing
