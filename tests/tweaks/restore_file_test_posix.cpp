// Exporting onto real files that refuse: a missing folder, a file the user may not write, a
// full device.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/failure_classes.h"
#include "platform/failure_report.h"
#include "platform/file_api.h"
#include "tweaks/restore_file.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

// The error box text of the export's failure, or "exported".
std::string Export(const std::string& path) {
  try {
    WriteRestoreFile(SystemFiles(), path);
  } catch (const EInOutError& failure) {
    return FailureBoxText(failure.Message());
  }
  return "exported";
}

TEST(RestoreFileHere, AMissingFolderIsAnInvalidFilename) {
  const fs::path path = fs::temp_directory_path() / "quillmark no such folder" / "r.reg";
  EXPECT_EQ(Export(path.string()), "Invalid filename.");
  EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST(RestoreFileHere, AFileTheUserMayNotWriteIsLeftAsItWas) {
  const fs::path path = fs::temp_directory_path() / "quillmark-read-only.reg";
  std::ofstream(path) << "keep me";
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string shown;
  if (geteuid() != 0) {
    shown = Export(path.string());
  } else {
    // Root writes anything; a child that has given up root is an ordinary user.
    const pid_t child = fork();
    if (child == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
      _exit(Export(path.string()) == "File access denied." ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    shown = WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "File access denied." : "other";
  }
  EXPECT_EQ(shown, "File access denied.");
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(), "keep me");
  fs::remove(path);
}

TEST(RestoreFileHere, AFullDeviceIsReportedWithItsCode) {
  ASSERT_TRUE(fs::exists("/dev/full"));
  EXPECT_EQ(Export("/dev/full"), "I/O error 112.");
}

}  // namespace
}  // namespace quillmark::testing
