// Exporting onto real files that refuse: a missing folder, a file the user may not write, a
// full device.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/restore_file_export.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

TEST(RestoreFileHere, AMissingFolderIsAnInvalidFilename) {
  const fs::path path = fs::temp_directory_path() / "quillmark no such folder" / "r.reg";
  EXPECT_EQ(ExportRestoreFile(path.string()), "3 Invalid filename");
  EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST(RestoreFileHere, AFileTheUserMayNotWriteIsLeftAsItWas) {
  const fs::path path = fs::temp_directory_path() / "quillmark-read-only.reg";
  std::ofstream(path) << "keep me";
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string shown;
  if (geteuid() != 0) {
    shown = ExportRestoreFile(path.string());
  } else {
    // Root writes anything; a child that has given up root is an ordinary user.
    const pid_t child = fork();
    if (child == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
      _exit(ExportRestoreFile(path.string()) == "5 File access denied" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    shown = WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "5 File access denied" : "other";
  }
  EXPECT_EQ(shown, "5 File access denied");
  EXPECT_EQ(ReadWholeFile(path), "keep me");
  fs::remove(path);
}

// Root too: a file read-only by its mode is refused as Windows refuses a read-only file.
TEST(RestoreFileHere, ExistingTargetsAreReplacedWholeOrRefusedAndLeftAsTheyWere) {
  const fs::path folder = FreshTestFolder("quillmark-targets-");
  fs::create_directory(folder / "a folder");
  struct Case {
    const char* name;
    fs::perms mode;
    const char* outcome;
  };
  const fs::perms read_write = fs::perms::owner_read | fs::perms::owner_write;
  const Case cases[] = {
      {"private.reg", read_write, "exported"},
      {"shared.reg", read_write | fs::perms::group_read | fs::perms::others_read, "exported"},
      {"read-only.reg", fs::perms::owner_read | fs::perms::group_read, "5 File access denied"},
  };
  for (const Case& c : cases) {
    const fs::path path = folder / c.name;
    std::ofstream(path) << "earlier";
    fs::permissions(path, c.mode);
    EXPECT_EQ(ExportRestoreFile(path.string()), c.outcome) << c.name;
    EXPECT_EQ(ReadWholeFile(path).size(), c.outcome == std::string("exported") ? 1414u : 7u);
    EXPECT_EQ(fs::status(path).permissions(), c.mode) << c.name;
  }
  EXPECT_EQ(ExportRestoreFile((folder / "a folder").string()), "5 File access denied");
  EXPECT_EQ(SortedNames(folder),
            (std::vector<std::string>{"a folder", "private.reg", "read-only.reg", "shared.reg"}));
  fs::remove_all(folder);
}

TEST(RestoreFileHere, AFullDeviceIsReportedWithItsCodeAndNotRemoved) {
  ASSERT_TRUE(fs::exists("/dev/full"));
  EXPECT_EQ(ExportRestoreFile("/dev/full"), "112 I/O error 112");
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace quillmark::testing
