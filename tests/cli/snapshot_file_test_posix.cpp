// Snapshot and restore files on a POSIX file system: what is refused before anything runs, the
// identity a replaced file keeps, strangers' files beside it, commands on one file at once, and
// an export that runs out of room.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/command_orders.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

using Result = CommandResult;

void Write(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

mode_t Mode(const fs::path& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

// Runs body in a child process and hands back what it returns; with ordinary set, the child
// first gives up root, as a user without it would run.
Result InChild(const std::function<Result()>& body, const fs::path& scratch,
               bool ordinary = false) {
  const fs::path answer = scratch / ("quillmark-answer-" + std::to_string(::getpid()));
  const pid_t child = ::fork();
  if (child == 0) {
    if (ordinary && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(3);
    }
    const Result result = body();
    std::ofstream(answer, std::ios::binary) << result.code << '\n'
                                            << result.out.size() << '\n'
                                            << result.out << result.err;
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  Result result;
  std::ifstream in(answer, std::ios::binary);
  std::size_t out_size = 0;
  if (!(in >> result.code >> out_size) || in.get() != '\n') return {-1, "", "no answer"};
  result.out.resize(out_size);
  in.read(result.out.data(), static_cast<std::streamsize>(out_size));
  std::ostringstream rest;
  rest << in.rdbuf();
  result.err = rest.str();
  fs::remove(answer);
  return result;
}

class FilesHere : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("quillmark-files-");
    // Others may look in but not write, for a child without root.
    fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Path(const std::string& name) const { return folder_ / name; }
  std::vector<std::string> Names() const { return SortedNames(folder_); }

 private:
  fs::path folder_;
};

TEST_F(FilesHere, WhatCannotBeReplacedSafelyIsRefusedBeforeAnythingRuns) {
  const std::string state = kFreshWindows7;
  Write(Path("plain.reg"), state);
  Write(Path("read-only.reg"), state);
  fs::permissions(Path("read-only.reg"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory(Path("folder.reg"));
  ASSERT_EQ(::mkfifo(Path("fifo.reg").c_str(), 0644), 0);
  fs::create_symlink("gone.reg", Path("dangling.reg"));
  fs::create_symlink("loop-b.reg", Path("loop-a.reg"));
  fs::create_symlink("loop-a.reg", Path("loop-b.reg"));
  const std::vector<std::string> before = Names();

  struct Case {
    std::string file;
    std::vector<std::string> command;
    int code;
    std::string error;  // after "error: FILE: "
  };
  const std::string rights =
      "not writable (it is read-only, or you may not write it), and the command would change it";
  const std::string special =
      "not a regular file but a FIFO, a device or a socket, which cannot be replaced safely";
  const Case cases[] = {
      {"read-only.reg", {"apply", "all"}, 1, rights},
      {"read-only.reg", {"status"}, 1, rights},
      {"read-only.reg", {"system"}, 0, ""},
      {"folder.reg", {"status"}, 1, "a folder, not a registry snapshot file"},
      {"folder.reg", {"system"}, 1, "a folder, not a registry snapshot file"},
      {"fifo.reg", {"apply", "3"}, 1, special},
      {"fifo.reg", {"system"}, 1, special},
      {"dangling.reg",
       {"status"},
       1,
       "a symbolic link to " + Path("gone.reg").string() + ", which does not exist"},
      {"loop-a.reg", {"system"}, 1, "a symbolic link that leads round in a loop"},
      {"no folder/x.reg",
       {"defaults"},
       1,
       "cannot be replaced: no new file can be made beside it (Invalid filename)"},
  };
  for (const Case& c : cases) {
    const std::string file = Path(c.file).string();
    std::vector<std::string> args = {"--registry", file};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const Result result = RunCommand(args);
    EXPECT_EQ(result.code, c.code) << c.file << " " << result.err;
    if (c.code != 0) {
      EXPECT_EQ(result.out, "") << c.file;
      EXPECT_EQ(result.err, "error: " + file + ": " + c.error + "\n");
    }
    EXPECT_EQ(Names(), before) << c.file;
  }
  // The files written for the user refuse a read-only one as the export does, root or not.
  const std::string read_only = Path("read-only.reg").string();
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"export", read_only},
        std::vector<std::string>{"script", "all", read_only},
        std::vector<std::string>{"--registry", Path("none.reg").string(), "backup", read_only},
        std::vector<std::string>{"--registry", Path("none.reg").string(), "apply", "3", "--backup",
                                 read_only}}) {
    EXPECT_EQ(RunCommand(command).Text(), "1||error: " + read_only + ": File access denied.\n")
        << ::testing::PrintToString(command);
    EXPECT_EQ(Names(), before);
  }
  EXPECT_EQ(ReadWholeFile(Path("read-only.reg")), state);
  EXPECT_EQ(Mode(Path("read-only.reg")) & 07777, 0444u);
  EXPECT_TRUE(fs::is_fifo(Path("fifo.reg")));
  EXPECT_TRUE(fs::is_symlink(Path("dangling.reg")));

  // A user who may write the file but not make one beside it is refused before anything runs,
  // and so is one who would make a missing file there.
  const std::string plain = Path("plain.reg").string();
  const std::string missing = Path("missing.reg").string();
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(plain.c_str(), kNobody, kNobody), 0);
  } else {
    fs::permissions(Path(""), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const std::string no_room =
      ": cannot be replaced: no new file can be made beside it (File "
      "access denied)\n";
  for (const std::string& file : {plain, missing}) {
    const Result refused = InChild(
        [&] {
          return RunCommand({"--registry", file, "apply", "3"});
        },
        fs::temp_directory_path(), true);
    EXPECT_EQ(refused.Text(), "1||error: " + file + no_room);
  }
  fs::permissions(Path(""), fs::perms::owner_all);
  EXPECT_EQ(ReadWholeFile(plain), state);
  EXPECT_EQ(Names(), before);
}

TEST_F(FilesHere, AReplacedFileKeepsItsLinkModeAndOwnerAndStrangersFilesStay) {
  fs::create_directory(Path("real"));
  Write(Path("real/target.reg"), kFreshWindows7);
  fs::create_symlink("real/target.reg", Path("link.reg"));
  Write(Path("private.reg"), kFreshWindows7);
  fs::permissions(Path("private.reg"), fs::perms::owner_read | fs::perms::owner_write);
  Write(Path("shared.reg"), kFreshWindows7);
  fs::permissions(Path("shared.reg"), fs::perms::owner_read | fs::perms::owner_write |
                                          fs::perms::group_read | fs::perms::others_read |
                                          fs::perms::set_gid);
  const uid_t owner = ::geteuid() == 0 ? kNobody : ::geteuid();
  ASSERT_EQ(::chown(Path("shared.reg").c_str(), owner, ::geteuid() == 0 ? kNobody : getegid()), 0);
  fs::permissions(Path("shared.reg"), fs::perms::set_gid, fs::perm_options::add);
  // A stranger's files with the names a fixed temporary file would have had.
  Write(Path("private.reg.tmp"), "mine");
  Write(Path("victim"), "victim");
  fs::create_symlink("victim", Path("shared.reg.tmp"));

  for (const char* name : {"link.reg", "private.reg", "shared.reg"}) {
    const Result apply = RunCommand({"--registry", Path(name).string(), "apply", "menu-delay"});
    EXPECT_EQ(apply.code, 0) << name << apply.err;
  }
  EXPECT_TRUE(fs::is_symlink(Path("link.reg")));
  EXPECT_EQ(fs::read_symlink(Path("link.reg")), "real/target.reg");
  for (const char* name : {"real/target.reg", "private.reg", "shared.reg"}) {
    EXPECT_NE(ReadWholeFile(Path(name)).find("\"MenuShowDelay\"=\"8\"\r\n"), std::string::npos)
        << name;
    EXPECT_TRUE(S_ISREG(Mode(Path(name)))) << name;
  }
  EXPECT_EQ(Mode(Path("private.reg")) & 07777, 0600u);
  EXPECT_EQ(Mode(Path("shared.reg")) & 07777, 02644u);
  struct stat status;
  ASSERT_EQ(::stat(Path("shared.reg").c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, owner);
  EXPECT_EQ(ReadWholeFile(Path("private.reg.tmp")), "mine");
  EXPECT_EQ(ReadWholeFile(Path("victim")), "victim");
  EXPECT_TRUE(fs::is_symlink(Path("shared.reg.tmp")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"link.reg", "private.reg", "private.reg.tmp", "real",
                                               "shared.reg", "shared.reg.tmp", "victim"}));
}

// A snapshot's name is not held to the restore file's name field: one deep in a folder tree is
// replaced like any other.
TEST_F(FilesHere, ASnapshotWhoseNameIsLongerThanTheNameFieldIsWrittenBack) {
  fs::path deep = Path("");
  while (deep.string().size() < 300) deep /= std::string(60, 'd');
  fs::create_directories(deep);
  const fs::path snapshot = deep / "snapshot.reg";
  ASSERT_GT(snapshot.string().size(), 259u);
  Write(snapshot, kFreshWindows7);

  const Result apply = RunCommand({"--registry", snapshot.string(), "apply", "menu-delay"});

  EXPECT_EQ(apply.code, 0) << apply.err;
  EXPECT_NE(ReadWholeFile(snapshot).find("\"MenuShowDelay\"=\"8\"\r\n"), std::string::npos);
  EXPECT_EQ(SortedNames(deep), std::vector<std::string>{"snapshot.reg"});
}

// Commands at once on one file come out as the same commands one after the other, in some
// order: their rows, messages and exit codes, and the file they leave.
TEST_F(FilesHere, CommandsAtOnceOnOneFileComeOutAsSomeOrderOfThem) {
  // An empty registry but for a few keys, where status fails until another command has written;
  // and no file at all, whose place is held on its folder.
  std::string padded = "Windows Registry Editor Version 5.00\n";
  for (int key = 0; key < 50; ++key) {
    padded += "[HKEY_CURRENT_USER\\Software\\Padding\\Key" + std::to_string(key) +
              "]\n\"Value\"=\"" + std::string(40, 'p') + "\"\n";
  }
  const std::string file = Path("m.reg").string();
  const std::vector<std::vector<std::string>> commands = {
      {"--registry", file, "status"},
      {"--registry", file, "apply", "copy-to,9"},
      {"--registry", file, "defaults"},
  };
  for (const std::optional<std::string>& start :
       {std::optional<std::string>(padded), std::optional<std::string>()}) {
    const auto prepare = [&] {
      fs::remove(file);
      if (start) Write(file, *start);
    };
    const std::set<std::string> orders = OutcomesOfEveryOrder(commands, prepare, file);
    ASSERT_GT(orders.size(), 2u);  // the order shows

    for (int round = 0; round < 8; ++round) {
      prepare();
      int barrier[2];
      ASSERT_EQ(::pipe(barrier), 0);
      std::vector<pid_t> children;
      for (std::size_t i = 0; i < commands.size(); ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
          ::close(barrier[1]);
          char go;
          [[maybe_unused]] const ssize_t ignored = ::read(barrier[0], &go, 1);  // all at once
          const Result result = RunCommand(commands[i]);
          std::ofstream(Path("result-" + std::to_string(i)), std::ios::binary) << result.Text();
          ::_exit(0);
        }
        children.push_back(child);
      }
      ::close(barrier[0]);
      ::close(barrier[1]);
      for (pid_t child : children) ::waitpid(child, nullptr, 0);
      std::vector<std::string> results;
      for (std::size_t i = 0; i < commands.size(); ++i) {
        results.push_back(ReadWholeFile(Path("result-" + std::to_string(i))));
        fs::remove(Path("result-" + std::to_string(i)));
      }
      const std::string text = Outcome(file, results);
      EXPECT_EQ(orders.count(text), 1u)
          << (start ? "a file" : "no file") << ", round " << round << " matches no order:\n"
          << text.substr(text.find("\n--\n"));
    }
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"m.reg"});
}

// Runs a command in a child whose files may grow to room bytes only.
Result WithRoomFor(rlim_t room, const std::vector<std::string>& args, const fs::path& scratch) {
  return InChild(
      [&] {
        rlimit limit{room, RLIM_INFINITY};
        ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Result result = RunCommand(args);
        limit.rlim_cur = RLIM_INFINITY;  // for the answer
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return result;
      },
      scratch);
}

TEST_F(FilesHere, AWriteThatRunsOutOfRoomLeavesTheFileThereWhole) {
  // The snapshot written back does not fit: the file stays as it was, and the rows say so.
  const fs::path snapshot = Path("m.reg");
  Write(snapshot, kFreshWindows7);
  const Result back = WithRoomFor(1000, {"--registry", snapshot.string(), "apply", "3"}, Path(""));
  EXPECT_EQ(back.code, 1);
  EXPECT_EQ(back.err, "error: " + snapshot.string() +
                          ": the changed registry could not be written (I/O error 223); the file "
                          "is as it was\n");
  EXPECT_EQ(back.out.rfind("not read back: ", 0), 0u);
  EXPECT_EQ(ReadWholeFile(snapshot), kFreshWindows7);
  fs::remove(snapshot);

  // The second block of the restore file does not fit.
  const fs::path target = Path("r.reg");
  Write(target, std::string(5000, 'x'));
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  const Result full = WithRoomFor(200, {"export", target.string()}, Path(""));
  EXPECT_EQ(full.Text(), "1||error: " + target.string() + ": I/O error 223.\n");
  EXPECT_EQ(ReadWholeFile(target), std::string(5000, 'x'));
  // The backup and the deployment script are written the same way.
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"script", "all", target.string()},
        std::vector<std::string>{"--registry", Path("none.reg").string(), "backup",
                                 target.string()}}) {
    EXPECT_EQ(WithRoomFor(200, command, Path("")).Text(),
              "1||error: " + target.string() + ": I/O error 223.\n");
    EXPECT_EQ(ReadWholeFile(target), std::string(5000, 'x'));
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"r.reg"});

  // Room enough: replaced whole, mode kept; through a link to its target, or where a dangling
  // link leads.
  fs::create_symlink("r.reg", Path("link.reg"));
  fs::create_symlink("made.reg", Path("dangling.reg"));
  for (const char* name : {"link.reg", "dangling.reg"}) {
    EXPECT_EQ(RunCommand({"export", Path(name).string()}).Text(), "0||") << name;
    EXPECT_TRUE(fs::is_symlink(Path(name))) << name;
  }
  for (const char* name : {"r.reg", "made.reg"}) {
    EXPECT_EQ(ReadWholeFile(Path(name)).size(), 1414u) << name;
  }
  EXPECT_EQ(Mode(target) & 07777, 0600u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"dangling.reg", "link.reg", "made.reg", "r.reg"}));
}

// The disk full at a chosen byte: before the first block, at a block's edge, one byte short of
// the whole; and room for exactly the whole.
TEST_F(FilesHere, ADiskFullAtAnyByteLeavesTheEarlierFileWholeAndNothingBesideIt) {
  const std::string target = Path("r.reg").string();
  const std::string earlier(5000, 'x');
  const std::string full = "1||error: " + target + ": I/O error 223.\n";
  const std::vector<std::string> exporting = {"export", target};
  struct Case {
    rlim_t room;
    std::vector<std::string> command;
    std::string result;
  };
  const Case cases[] = {
      {0, exporting, full},
      {127, exporting, full},
      {128, exporting, full},
      {1413, exporting, full},
      {1414, exporting, "0||"},
      {0, {"script", "all", target}, full},
      {1000, {"--registry", Path("none.reg").string(), "backup", target}, full},
  };
  for (const Case& c : cases) {
    Write(target, earlier);
    EXPECT_EQ(WithRoomFor(c.room, c.command, Path("")).Text(), c.result) << c.room;
    const std::string now = ReadWholeFile(target);
    if (c.result == full) {
      EXPECT_EQ(now, earlier) << c.room;
    } else {
      EXPECT_EQ(now.size(), 1414u);
      EXPECT_EQ(now.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"r.reg"}) << c.room;
  }
}

TEST_F(FilesHere, IntoAPipeTheBytesGoAsTheyCome) {
  // /dev/stdout into a pipe is a link to "pipe:[N]", which no path reaches; the name still opens.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string name = "/proc/self/fd/" + std::to_string(ends[1]);
  const Result written = RunCommand({"script", "none", name});
  ::close(ends[1]);
  std::string bytes;
  char chunk[4096];
  for (ssize_t got; (got = ::read(ends[0], chunk, sizeof chunk)) > 0;) bytes.append(chunk, got);
  ::close(ends[0]);
  EXPECT_EQ(written.Text(), "0||");
  EXPECT_EQ(bytes.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
  EXPECT_NE(bytes.find("[-HKEY_CLASSES_ROOT\\*\\shell\\runas]\r\n"), std::string::npos);
  EXPECT_EQ(Names(), std::vector<std::string>{});
}

}  // namespace
}  // namespace quillmark::testing
