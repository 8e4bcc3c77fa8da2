// The Win32 file calls on real files: a fresh file made once only, a block several times the
// writer's buffer going whole, a handle closed once refused as an invalid handle (the code the
// writer's fakes give), the rename over a file, and what a file refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fileio/file_api.h"
#include "support/files.h"
#include "support/recording_files.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

TEST(Win32Files, AFreshFileIsMadeOnceFilledAndRenamedOverTheOldOne) {
  FileApi& files = SystemFiles();
  const fs::path folder = FreshTestFolder("quillmark-file-api-");
  const std::string target = (folder / "target.reg").string();
  const std::string fresh = (folder / "target.reg.0123456789abcdef.tmp").string();
  std::ofstream(target, std::ios::binary) << "old";
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));

  const FileApi::Handle file = files.CreateNew(fresh.c_str(), target.c_str());
  ASSERT_NE(file, FileApi::kInvalidHandle) << "error " << files.LastError();
  EXPECT_EQ(files.CreateNew(fresh.c_str(), target.c_str()), FileApi::kInvalidHandle);
  EXPECT_EQ(files.LastError(), kFileExists);
  EXPECT_EQ(files.FileKind(file), FileApi::Kind::Disk);

  std::string block(100000, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('a' + i % 26);
  std::uint32_t written = 0;
  EXPECT_TRUE(files.Write(file, block.data(), static_cast<std::uint32_t>(block.size()), &written));
  EXPECT_EQ(written, block.size());
  EXPECT_TRUE(files.Flush(file));
  EXPECT_TRUE(files.Close(file));
  EXPECT_FALSE(files.Close(file));
  EXPECT_EQ(files.LastError(), kInvalidHandleCode);
  EXPECT_EQ(ReadWholeFile(target), "old");

  EXPECT_TRUE(files.Replace(fresh.c_str(), target.c_str())) << "error " << files.LastError();
  EXPECT_TRUE(files.SyncFolder(target.c_str()));
  EXPECT_EQ(ReadWholeFile(target), block);
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN,
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(SortedNames(folder), std::vector<std::string>{"target.reg"});
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(files.Remove(target.c_str()));
  fs::remove_all(folder);
}

TEST(Win32Files, OpeningWhatIsThereSaysWhyItMayNotBeWritten) {
  FileApi& files = SystemFiles();
  const fs::path folder = FreshTestFolder("quillmark-file-api-");
  const std::string read_only = (folder / "read-only.reg").string();
  std::ofstream(read_only, std::ios::binary) << "kept";
  ASSERT_TRUE(SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
  struct Case {
    std::string name;
    std::uint32_t code;
  };
  for (const Case& c : {Case{(folder / "missing.reg").string(), kFileNotFound},
                        Case{(folder / "no folder" / "x.reg").string(), kPathNotFound},
                        Case{read_only, kAccessDenied}, Case{folder.string(), kAccessDenied}}) {
    EXPECT_EQ(files.OpenExisting(c.name.c_str()), FileApi::kInvalidHandle) << c.name;
    EXPECT_EQ(files.LastError(), c.code) << c.name;
  }
  const FileApi::Handle device = files.OpenExisting("NUL");
  ASSERT_NE(device, FileApi::kInvalidHandle);
  EXPECT_EQ(files.FileKind(device), FileApi::Kind::Character);
  EXPECT_TRUE(files.Close(device));
  EXPECT_EQ(ReadWholeFile(read_only), "kept");
  SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quillmark::testing
