// The identification over the real queries of the Windows it runs on: here Wine 8, which
// reports 6.1 build 7601 and, to a 64-bit process, processor architecture 9 without WOW64.
#include <gtest/gtest.h>

#include "sysinfo/startup_identification.h"
#include "sysinfo/win32_system_queries.h"

namespace quillmark::testing {
namespace {

TEST(IdentificationUnderWine, A64BitWorkstationGetsNoEdition) {
  Win32SystemQueries queries;
  IdentificationResults results;
  Identify(queries, results);
  EXPECT_EQ(results.version.major, 6u);
  EXPECT_EQ(results.version.minor, 1u);
  EXPECT_EQ(results.version.build, 7601u);
  EXPECT_EQ(results.version.platform, 2u);
  EXPECT_EQ(results.version.product_type, 1);
  EXPECT_FALSE(results.wow64);
  EXPECT_EQ(results.processor_architecture, 9);
  EXPECT_EQ(results.os_name, "");
  EXPECT_EQ(results.os_edition, "");
  EXPECT_EQ(results.kind, osUnknown);
}

}  // namespace
}  // namespace quillmark::testing
