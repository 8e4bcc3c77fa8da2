#include "support/stores.h"

namespace quillmark::testing {

// Only Windows has a registry of its own.
void AddPlatformStores(std::vector<StoreKind>&) {}

}  // namespace quillmark::testing
