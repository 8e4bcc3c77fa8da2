// A file is replaced whole or not at all: whatever refuses, at whatever byte, the old file stays
// as it was and nothing is left beside it; the failures read as the text-file writer's.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/failure_classes.h"
#include "platform/whole_file.h"
#include "support/fake_disk.h"

namespace quillmark::testing {
namespace {

// The failure's code and message, or "written".
std::string Write(FakeDisk& disk, const std::string& path, const std::string& content) {
  try {
    WriteWholeFile(disk, path, content);
  } catch (const EInOutError& failure) {
    return std::to_string(failure.ErrorCode()) + " " + failure.Message();
  }
  return "written";
}

FakeDisk DiskWithOldFile() {
  FakeDisk disk;
  disk.folders.insert("d");
  disk.files["d/backup.reg"] = "old";
  return disk;
}

TEST(WholeFile, ReplacesTheFileAndLeavesNothingBeside) {
  FakeDisk disk = DiskWithOldFile();
  EXPECT_EQ(Write(disk, "d/backup.reg", "new content"), "written");
  EXPECT_EQ(disk.files, (std::map<std::string, std::string>{{"d/backup.reg", "new content"}}));
  FakeDisk fresh = DiskWithOldFile();
  EXPECT_EQ(Write(fresh, "d/new.reg", ""), "written");
  EXPECT_EQ(fresh.files.at("d/new.reg"), "");
}

TEST(WholeFile, AFullDiskAtAnyByteLeavesTheOldFile) {
  const std::string content(200 * 1024, 'x');
  for (std::size_t space : {std::size_t{0}, std::size_t{1}, std::size_t{64 * 1024},
                            std::size_t{64 * 1024 + 1}, content.size() - 1}) {
    FakeDisk disk = DiskWithOldFile();
    disk.space = space;
    EXPECT_EQ(Write(disk, "d/backup.reg", content), "112 I/O error 112") << space;
    EXPECT_EQ(disk.files, (std::map<std::string, std::string>{{"d/backup.reg", "old"}})) << space;
  }
}

TEST(WholeFile, RefusedFilesKeepTheirContentAndGetTheWritersMessages) {
  struct Case {
    const char* path;
    const char* shown;
  };
  for (const Case& c :
       {Case{"d/read-only.reg", "5 File access denied"}, Case{"d/folder", "5 File access denied"},
        Case{"missing/backup.reg", "3 Invalid filename"}}) {
    FakeDisk disk = DiskWithOldFile();
    disk.files["d/read-only.reg"] = "keep";
    disk.read_only.insert("d/read-only.reg");
    disk.folders.insert("d/folder");
    const auto before = disk.files;
    EXPECT_EQ(Write(disk, c.path, "new"), c.shown) << c.path;
    EXPECT_EQ(disk.files, before) << c.path;
  }
}

TEST(WholeFile, ANameTooLongForTheWriterIsRefusedUntouched) {
  FakeDisk disk = DiskWithOldFile();
  EXPECT_EQ(Write(disk, "d/" + std::string(258, 'n'), "new"), "3 Invalid filename");
  EXPECT_EQ(Write(disk, std::string("d/a\0b", 5), "new"), "3 Invalid filename");
  EXPECT_TRUE(disk.calls.empty());
}

TEST(WholeFile, TheNewFileTakesAFreeNameThatFitsBesideTheOld) {
  FakeDisk disk = DiskWithOldFile();
  disk.files["d/backup.reg~1"] = "someone's";
  disk.files["d/backup.reg~2"] = "someone else's";
  EXPECT_EQ(Write(disk, "d/backup.reg", "new"), "written");
  EXPECT_EQ(disk.files.at("d/backup.reg"), "new");
  EXPECT_EQ(disk.files.at("d/backup.reg~1"), "someone's");
  EXPECT_EQ(disk.files.at("d/backup.reg~2"), "someone else's");
  EXPECT_FALSE(disk.files.contains("d/backup.reg~3"));

  // 259 bytes: the new file's name ends in "~1" in place of the last two characters.
  const std::string longest = "d/" + std::string(253, 'n') + ".reg";
  ASSERT_EQ(longest.size(), 259u);
  EXPECT_EQ(Write(disk, longest, "new"), "written");
  EXPECT_EQ(disk.files.at(longest), "new");
  EXPECT_NE(std::find(disk.calls.begin(), disk.calls.end(),
                      "create new d/" + std::string(253, 'n') + ".r~1"),
            disk.calls.end());
}

}  // namespace
}  // namespace quillmark::testing
