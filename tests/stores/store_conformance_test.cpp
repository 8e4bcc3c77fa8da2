// The conformance table over the stores every platform has: MemoryRegistry must answer as the
// real registry does.
#include "support/store_conformance.h"

namespace quillmark::testing::conformance {
namespace {

INSTANTIATE_TEST_SUITE_P(Stores, StoreConformance, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace quillmark::testing::conformance
