// The fresh file of a destination, written by its name as another library writes it, on the real
// file system: what goes there by name is what replaces the target, and what is given up leaves
// nothing. POSIX only: Windows holds the fresh file unshared, so no one else opens it by name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fileio/file_api.h"
#include "fileio/file_destination.h"
#include "support/files.h"

namespace quillmark::testing {
namespace {

// Opens, truncates and writes the file by its name, as a library given only a name does.
void WriteByName(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  ASSERT_TRUE(file.good()) << path;
}

class FreshPathTest : public ::testing::Test {
 protected:
  const std::filesystem::path folder_ = FreshTestFolder("quillmark-fresh-path-");
  const std::filesystem::path target_ = folder_ / "hive";

  void SetUp() override { WriteByName(target_.string(), "old"); }
  void TearDown() override { std::filesystem::remove_all(folder_); }
};

TEST_F(FreshPathTest, WhatIsWrittenThereByNameReplacesTheTargetAtFinish) {
  FileDestination destination(SystemFiles());
  ASSERT_EQ(destination.Open(target_.string().c_str()), 0u);
  const std::string fresh = destination.FreshPath();
  EXPECT_EQ(std::filesystem::path(fresh).parent_path(), folder_);
  EXPECT_TRUE(std::filesystem::is_regular_file(fresh)) << fresh;
  WriteByName(fresh, "new bytes");
  EXPECT_EQ(ReadWholeFile(target_), "old");

  ASSERT_EQ(destination.Finish(), 0u);
  EXPECT_EQ(destination.FreshPath(), "");
  EXPECT_EQ(ReadWholeFile(target_), "new bytes");
  EXPECT_EQ(SortedNames(folder_), std::vector<std::string>{"hive"});
}

TEST_F(FreshPathTest, WhatIsWrittenThereAndGivenUpLeavesTheTargetAndNothingBeside) {
  FileDestination destination(SystemFiles());
  ASSERT_EQ(destination.Open(target_.string().c_str()), 0u);
  WriteByName(destination.FreshPath(), "new bytes");

  ASSERT_EQ(destination.Abandon(), 0u);
  EXPECT_EQ(destination.FreshPath(), "");
  EXPECT_EQ(ReadWholeFile(target_), "old");
  EXPECT_EQ(SortedNames(folder_), std::vector<std::string>{"hive"});
}

TEST(FreshPath, ADeviceHasNone) {
  FileDestination destination(SystemFiles());
  ASSERT_EQ(destination.Open("/dev/null"), 0u);
  EXPECT_EQ(destination.Kind(), FileApi::Kind::Character);
  EXPECT_EQ(destination.FreshPath(), "");
  EXPECT_EQ(destination.Finish(), 0u);
}

}  // namespace
}  // namespace quillmark::testing
