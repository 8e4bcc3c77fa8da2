// The Win32 file calls on a real file: a block several times the writer's buffer goes whole, and
// a handle closed once is refused as an invalid handle, the code the writer's fakes give.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "fileio/file_api.h"
#include "support/recording_files.h"

namespace quillmark {
namespace {

std::string TemporaryPath(const char* name) {
  char folder[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  EXPECT_GT(length, 0u) << "no temporary folder";
  return std::string(folder, length) + name;
}

TEST(Win32Files, AWholeBlockReachesTheFileAndASecondCloseIsRefused) {
  FileApi& files = SystemFiles();
  const std::string path = TemporaryPath("quillmark-file-api-test.txt");
  const FileApi::Handle file = files.CreateForWriting(path.c_str());
  ASSERT_NE(file, FileApi::kInvalidHandle) << "error " << files.LastError();
  EXPECT_EQ(files.FileKind(file), FileApi::Kind::Disk);

  std::string block(100000, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>('a' + i % 26);
  std::uint32_t written = 0;
  EXPECT_TRUE(files.Write(file, block.data(), static_cast<std::uint32_t>(block.size()), &written));
  EXPECT_EQ(written, block.size());
  EXPECT_TRUE(files.Close(file));
  EXPECT_FALSE(files.Close(file));
  EXPECT_EQ(files.LastError(), testing::kInvalidHandleCode);

  std::ifstream back(path, std::ios::binary);
  const std::string read((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>());
  back.close();
  EXPECT_EQ(read, block);
  EXPECT_TRUE(files.Remove(path.c_str()));
}

}  // namespace
}  // namespace quillmark
