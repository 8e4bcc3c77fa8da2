// Exporting onto real Windows files that refuse: a missing folder, a file nobody may write, a
// file another handle holds without sharing it for writing.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/files.h"
#include "support/restore_file_export.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

TEST(RestoreFileOnWindows, AMissingFolderIsCode3) {
  EXPECT_EQ(ExportRestoreFile((fs::temp_directory_path() / "no such folder" / "r.reg").string()),
            "3 Invalid filename");
}

// Wine as root ignores the read-only attribute (it keeps it as Unix permissions, which do not
// bind root), so the refused file here is one the host lets nobody write.
TEST(RestoreFileOnWindows, AFileNobodyMayWriteIsCode5AndKeepsItsContent) {
  const std::string path = "Z:\\sys\\kernel\\notes";
  const std::string before = ReadWholeFile(path);
  EXPECT_EQ(ExportRestoreFile(path), "5 File access denied");
  EXPECT_EQ(ReadWholeFile(path), before);
}

TEST(RestoreFileOnWindows, AFileHeldWithoutSharedWritingIsCode32) {
  const fs::path path = fs::temp_directory_path() / "quillmark-held.reg";
  std::ofstream(path, std::ios::binary) << "held";
  HANDLE holder = CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ExportRestoreFile(path.string()), "32 I/O error 32");
  CloseHandle(holder);
  EXPECT_EQ(ReadWholeFile(path), "held");
  EXPECT_EQ(ExportRestoreFile(path.string()), "exported");
  fs::remove(path);
}

}  // namespace
}  // namespace quillmark::testing
