// The registry stores every store-independent test runs against: MemoryRegistry everywhere,
// and on Windows (Wine here) the real registry through Win32Registry as well.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "registry/registry_api.h"

namespace quillmark::testing {

struct StoreKind {
  std::string name;
  std::function<std::unique_ptr<RegistryApi>()> make;
  bool real;  // the platform's own registry: tests stay below their test key
};

std::vector<StoreKind> AllStores();

// Adds the platform's own store, where there is one.
void AddPlatformStores(std::vector<StoreKind>& stores);

inline std::string StoreName(const ::testing::TestParamInfo<StoreKind>& info) {
  return info.param.name;
}

inline void PrintTo(const StoreKind& kind, std::ostream* out) { *out << kind.name; }

// The key below HKEY_CURRENT_USER that tests on a real registry work in, and its path as the
// registry object writes it.
inline constexpr const char* kTestKeyPath = "Software\\QuillmarkTest";
inline constexpr const char* kTestKeyAbsolute = "\\Software\\QuillmarkTest";

}  // namespace quillmark::testing
