// Replacing real files: the content and permissions, and the refusals of a file the user may
// not write, a folder, a missing folder and a full device.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/failure_classes.h"
#include "platform/whole_file.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

std::string Write(const fs::path& path, const std::string& content) {
  try {
    WriteWholeFile(SystemFiles(), path.string(), content);
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

class WholeFileHere : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  // What the folder holds, by name.
  std::string Listing() const {
    std::string names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names += entry.path().filename().string() + ";";
    }
    return names;
  }
  const fs::path folder_ = fs::temp_directory_path() / "quillmark-whole-file";
};

TEST_F(WholeFileHere, ReplacesTheContentAndKeepsThePermissions) {
  const fs::path path = folder_ / "backup.reg";
  std::ofstream(path) << "old";
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Write(path, "new\r\n"), "written");
  EXPECT_EQ(Read(path), "new\r\n");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Listing(), "backup.reg;");
}

TEST_F(WholeFileHere, AFileTheUserMayNotWriteIsLeftAsItWas) {
  const fs::path path = folder_ / "read-only.reg";
  std::ofstream(path) << "keep me";
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string shown;
  if (geteuid() != 0) {
    shown = Write(path, "new");
  } else {
    // Root writes anything; a child that has given up root is an ordinary user, who may still
    // write the folder, so only the file's own permission stops the replacement.
    fs::permissions(folder_, fs::perms::all);
    const pid_t child = fork();
    if (child == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
      _exit(Write(path, "new") == "5 File access denied" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    shown = WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "5 File access denied" : "other";
  }
  EXPECT_EQ(shown, "5 File access denied");
  EXPECT_EQ(Read(path), "keep me");
  EXPECT_EQ(Listing(), "read-only.reg;");
}

TEST_F(WholeFileHere, AFolderAMissingFolderAndALongNameAreRefused) {
  fs::create_directories(folder_ / "a folder");
  EXPECT_EQ(Write(folder_ / "a folder", "new"), "5 File access denied");
  EXPECT_TRUE(fs::is_directory(folder_ / "a folder"));
  EXPECT_EQ(Write(folder_ / "no such folder" / "b.reg", "new"), "3 Invalid filename");
  EXPECT_EQ(Write(folder_ / std::string(260, 'n'), "new"), "3 Invalid filename");
  EXPECT_EQ(Listing(), "a folder;");
}

TEST_F(WholeFileHere, AFullDeviceIsWrittenDirectlyAndReportedWithItsCode) {
  ASSERT_TRUE(fs::exists("/dev/full"));
  EXPECT_EQ(Write("/dev/full", "new"), "112 I/O error 112");
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace quillmark::testing
