// The identification over the real queries of the Windows it runs on: here Wine 8, which
// reports 6.1 build 7601. The x86_64 tests run in a 64-bit prefix, where a 64-bit process sees
// processor architecture 9 without WOW64; the i686 ones in a 32-bit prefix, as on a 32-bit
// Windows: architecture 0, no WOW64. A new prefix has no "EditionID" value, so either way the
// edition stays empty (the table of edition states is tested on whole prefixes).
#include <gtest/gtest.h>

#include "sysinfo/startup_identification.h"
#include "sysinfo/win32_system_queries.h"

namespace quillmark::testing {
namespace {

#if defined(_WIN64)
constexpr int kArchitecture = 9;
#else
constexpr int kArchitecture = 0;
#endif

TEST(IdentificationUnderWine, AWindows7WorkstationOfThisBitness) {
  Win32SystemQueries queries;
  IdentificationResults results;
  Identify(queries, results);
  EXPECT_EQ(results.version.major, 6u);
  EXPECT_EQ(results.version.minor, 1u);
  EXPECT_EQ(results.version.build, 7601u);
  EXPECT_EQ(results.version.platform, 2u);
  EXPECT_EQ(results.version.product_type, 1);
  EXPECT_FALSE(results.wow64);
  EXPECT_EQ(results.processor_architecture, kArchitecture);
  EXPECT_EQ(results.os_name, "");
  EXPECT_EQ(results.os_edition, "");
  EXPECT_EQ(results.kind, osUnknown);
}

}  // namespace
}  // namespace quillmark::testing
