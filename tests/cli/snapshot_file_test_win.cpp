// Snapshot and restore files on Windows (Wine here): the read-only and hidden attributes, a
// folder and a device, and commands at once in threads, held apart by the lock on the path.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "support/command_orders.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

class FilesOnWindows : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = FreshTestFolder("quillmark-files-"); }
  void TearDown() override {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder_);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  fs::path folder_;
};

TEST_F(FilesOnWindows, ReadOnlyFoldersAndDevicesAreRefusedAndAttributesKept) {
  const std::string read_only = Path("read-only.reg");
  std::ofstream(read_only, std::ios::binary) << kFreshWindows7;
  ASSERT_TRUE(SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string hidden = Path("hidden.reg");
  std::ofstream(hidden, std::ios::binary) << kFreshWindows7;
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));

  struct Case {
    std::vector<std::string> args;
    std::string result;
  };
  const std::string nowhere = Path("no folder\\x.reg");
  const Case cases[] = {
      {{"--registry", read_only, "apply", "3"},
       "1||error: " + read_only +
           ": not writable (it is read-only, or you may not write it), and the command would "
           "change it\n"},
      {{"export", read_only}, "1||error: " + read_only + ": File access denied.\n"},
      {{"--registry", Path(""), "status"},
       "1||error: " + Path("") + ": a folder, not a registry snapshot file\n"},
      {{"--registry", "NUL", "status"},
       "1||error: NUL: not a regular file but a FIFO, a device or a socket, which cannot be "
       "replaced safely\n"},
      {{"--registry", nowhere, "status"},
       "1||error: " + nowhere +
           ": cannot be replaced: no new file can be made beside it (Invalid filename)\n"},
      {{"export", "NUL"}, "0||"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunCommand(c.args).Text(), c.result) << ::testing::PrintToString(c.args);
  }
  EXPECT_EQ(ReadWholeFile(read_only), kFreshWindows7);
  EXPECT_EQ(RunCommand({"--registry", read_only, "system"}).code, 0);

  EXPECT_EQ(RunCommand({"--registry", hidden, "apply", "menu-delay"}).code, 0);
  EXPECT_NE(ReadWholeFile(hidden).find("\"MenuShowDelay\"=\"8\"\r\n"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN,
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  std::size_t names = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(Path(""))) ++names;
  EXPECT_EQ(names, 2u);  // no file of the commands' own is left
}

// Threads of one process hold a path apart as processes do.
TEST_F(FilesOnWindows, CommandsAtOnceOnOneFileComeOutAsSomeOrderOfThem) {
  std::string start = "Windows Registry Editor Version 5.00\n";
  for (int key = 0; key < 50; ++key) {
    start += "[HKEY_CURRENT_USER\\Software\\Padding\\Key" + std::to_string(key) + "]\n";
  }
  const std::string file = Path("m.reg");
  const std::vector<std::vector<std::string>> commands = {
      {"--registry", file, "status"},
      {"--registry", file, "apply", "3"},
      {"--registry", file, "defaults"},
  };
  const auto prepare = [&] { std::ofstream(file, std::ios::binary) << start; };
  const std::set<std::string> orders = OutcomesOfEveryOrder(commands, prepare, file);
  ASSERT_GT(orders.size(), 2u);
  for (int round = 0; round < 8; ++round) {
    prepare();
    std::promise<void> go;
    const std::shared_future<void> started = go.get_future().share();
    std::vector<std::string> results(commands.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < commands.size(); ++i) {
      threads.emplace_back([&, i] {
        started.wait();
        results[i] = RunCommand(commands[i]).Text();
      });
    }
    go.set_value();
    for (std::thread& thread : threads) thread.join();
    const std::string text = Outcome(file, results);
    EXPECT_EQ(orders.count(text), 1u) << "round " << round << " matches no order:\n"
                                      << text.substr(text.find("\n--\n"));
  }
}

}  // namespace
}  // namespace quillmark::testing
