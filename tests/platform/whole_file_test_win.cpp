// Replacing real Windows files: the content, and the refusals of a missing folder, a folder, a
// file nobody may write and a file held without shared writing, each leaving things as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/failure_classes.h"
#include "platform/whole_file.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

std::string Write(const std::string& path, const std::string& content) {
  try {
    WriteWholeFile(SystemFiles(), path, content);
  } catch (const EInOutError& failure) {
    return std::to_string(failure.ErrorCode()) + " " + failure.Message();
  }
  return "written";
}

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(WholeFileOnWindows, ReplacesTheFileAndLeavesNothingBeside) {
  const fs::path folder = fs::temp_directory_path() / "quillmark-whole-file";
  fs::remove_all(folder);
  fs::create_directories(folder / "a folder");
  const fs::path path = folder / "backup.reg";
  std::ofstream(path, std::ios::binary) << "old";
  EXPECT_EQ(Write(path.string(), "new\r\n"), "written");
  EXPECT_EQ(Read(path), "new\r\n");
  EXPECT_EQ(Write((folder / "a folder").string(), "new"), "5 File access denied");
  EXPECT_EQ(Write((folder / "no such folder" / "b.reg").string(), "new"), "3 Invalid filename");
  std::string names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names += entry.path().filename().string() + ";";
  }
  EXPECT_EQ(names, "a folder;backup.reg;");
  fs::remove_all(folder);
}

// Wine as root ignores the read-only attribute, so the refused file is one the host lets nobody
// write.
TEST(WholeFileOnWindows, AFileNobodyMayWriteIsCode5AndKeepsItsContent) {
  const std::string path = "Z:\\sys\\kernel\\notes";
  const std::string before = Read(path);
  EXPECT_EQ(Write(path, "new"), "5 File access denied");
  EXPECT_EQ(Read(path), before);
}

TEST(WholeFileOnWindows, AFileHeldWithoutSharedWritingIsCode32) {
  const fs::path path = fs::temp_directory_path() / "quillmark-held-whole.reg";
  std::ofstream(path, std::ios::binary) << "held";
  HANDLE holder = CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Write(path.string(), "new"), "32 I/O error 32");
  CloseHandle(holder);
  EXPECT_EQ(Read(path), "held");
  EXPECT_EQ(Write(path.string(), "new"), "written");
  EXPECT_EQ(Read(path), "new");
  fs::remove(path);
}

}  // namespace
}  // namespace quillmark::testing
