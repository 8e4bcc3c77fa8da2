// quillmark-cli over snapshot files: commands, rows, exit codes and the file written back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/registry_difference.h"
#include "platform/registry_script.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "tweaks/backup_script.h"
#include "tweaks/deployment_script.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;

struct Result {
  int code;
  std::string out;
  std::string err;
};

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quillmark-cli-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  Result Run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
  }
  std::string File(const char* name) const { return (folder_ / name).string(); }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

 private:
  fs::path folder_;
};

// The fourteen rows as printed, ticked where boxes has an "x".
std::string Rows(const std::string& boxes) {
  static const char* const captions[] = {
      "Add \"Copy To\" option in files and folders context menu (right click)",
      "Add \"Move To\" option in files and folders context menu (right click)",
      "Automatically end task of programs which are hanged",
      "Decrease menus show delay time",
      "Disable the low disk space check",
      "Disable searching for a program which no longer exists",
      "Disable \"search on Internet\" prompt in \"Open with...\"",
      "Add \"Take Ownership\" option in files and folders context menu (right click)",
      "Speed up the Explorer navigation",
      "Add \"Command Prompt Here\" in folders context menu (right click)",
      "Add \"Open With Notepad\" in files context menu (right click)",
      "Add \"Delete Folder Content\" option in folders context menu (right click)",
      "Speed up Taskbar Thumbnail Preview",
      "Disable UAC (User Account Control)",
  };
  std::string rows;
  for (int i = 0; i < 14; ++i) {
    rows += std::to_string(i) + (boxes[static_cast<std::size_t>(i)] == 'x' ? " [x] " : " [ ] ") +
            captions[i] + "\n";
  }
  return rows;
}

TEST_F(Cli, HelpAndBadUsage) {
  const Result help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("usage: quillmark-cli", 0), 0u);
  EXPECT_EQ(help.err, "");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"status", "extra"},
                                             {"apply"},
                                             {"apply", "14"},
                                             {"apply", "1,,2"},
                                             {"apply", "-1"},
                                             {"apply", "x"},
                                             {"apply", "1,"},
                                             {"--registry"},
                                             {"--bogus", "status"},
                                             {"--user", "status"},
                                             {"--registry", "a", "--registry", "b", "status"},
                                             {"plan"},
                                             {"plan", "14"},
                                             {"plan", "defaults", "x"},
                                             {"plan", "1", "--backup", "b.reg"},
                                             {"backup"},
                                             {"backup", "a.reg", "--backup", "b.reg"},
                                             {"script", "1"},
                                             {"script", "99", "s.reg"},
                                             {"script", "1", "s.reg", "--part", "both"},
                                             {"script", "1", "s.reg", "--part"},
                                             {"apply", "1", "--part", "user"},
                                             {"status", "--backup", "b.reg"},
                                             {"defaults", "--backup"}}) {
    const Result bad = Run(args);
    EXPECT_EQ(bad.code, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("usage: quillmark-cli", 0), 0u);
  }
}

TEST_F(Cli, HelpListsEveryCommandAndOption) {
  const std::string help = Run({"--help"}).out;
  for (const char* word :
       {"  list ", "  status ", "  apply ROWS ", "  defaults ", "  plan ROWS ", "  plan defaults ",
        "  backup FILE ", "  script ROWS FILE ", "  export FILE ", "  system ",
        "  --registry FILE ", "  --user ", "  --any-system ", "  --backup FILE ",
        "  --part machine ", "  --part user ", "  --help "}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
}

TEST_F(Cli, ListPrintsTheCatalogueTabSeparated) {
  const Result list = Run({"list"});
  EXPECT_EQ(list.code, 0);
  std::istringstream lines(list.out);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) ++count;
  EXPECT_EQ(count, 14);
  EXPECT_NE(list.out.find("8\tSpeed up the Explorer navigation\tSpeeds up Windows 7 by disabling "
                          "network printers and scheduled tasks on Windows \n"),
            std::string::npos);
}

TEST_F(Cli, ApplyStatusAndDefaultsWorkOnASnapshotFileAndWriteItBack) {
  const std::string file = File("system.reg");
  Write(file, kFreshWindows7);
  Result status = Run({"--registry", file, "status"});
  EXPECT_EQ(status.code, 0) << status.err;
  EXPECT_EQ(status.out, Rows(".............."));

  const Result apply = Run({"apply", "0,3,13,7", "--registry", file});
  EXPECT_EQ(apply.code, 0) << apply.err;
  EXPECT_EQ(apply.out, Rows("x..x...x.....x"));
  const std::string written = ReadWholeFile(file);
  EXPECT_EQ(SaveSnapshot(LoadSnapshot(written)), written);  // canonical
  EXPECT_NE(written.find("\"MenuShowDelay\"=\"8\"\r\n"), std::string::npos);

  status = Run({"--registry", file, "status"});
  EXPECT_EQ(status.out, Rows("x..x...x.....x"));
  EXPECT_EQ(Run({"--registry", file, "apply", "all"}).out, Rows("xxxxxxxxxxxxxx"));
  EXPECT_EQ(Run({"--registry", file, "apply", "none"}).out, Rows(".............."));
  const Result defaults = Run({"--registry", file, "defaults"});
  EXPECT_EQ(defaults.code, 0) << defaults.err;
  EXPECT_EQ(defaults.out, Rows(".............."));
  EXPECT_NE(ReadWholeFile(file).find("\"NoLowDiskSpaceChecks\"=dword:00000000\r\n"),
            std::string::npos);
}

TEST_F(Cli, AFailurePrintsTheRowsAsTheyStandAndKeepsWhatWasWritten) {
  const std::string file = File("missing.reg");
  const Result status = Run({"--registry", file, "status"});
  EXPECT_EQ(status.code, 1);
  EXPECT_EQ(status.out, Rows("........x....."));
  EXPECT_EQ(status.err, "error: Failed to get data for 'EnableLUA'\n");
  // The keys the probes made are in the file.
  EXPECT_NE(ReadWholeFile(file).find("[HKEY_CLASSES_ROOT\\*\\shell\\runas]"), std::string::npos);
}

TEST_F(Cli, AStandardUserCannotApply) {
  const std::string file = File("user.reg");
  Write(file, kFreshWindows7);
  const std::string before = SaveSnapshot(LoadSnapshot(kFreshWindows7));
  const Result apply = Run({"--registry", file, "--user", "apply", "3"});
  EXPECT_EQ(apply.code, 1);
  EXPECT_EQ(apply.out, Rows("...x.........."));
  EXPECT_EQ(apply.err, "error: Failed to set data for ''\n");
  EXPECT_EQ(ReadWholeFile(file), before);
}

TEST_F(Cli, AFaultySnapshotIsReportedAndLeftAsItWas) {
  const std::string file = File("faulty.reg");
  const std::string faulty =
      "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\k]\n\"v\"=nonsense\n";
  Write(file, faulty);
  const Result status = Run({"--registry", file, "status"});
  EXPECT_EQ(status.code, 1);
  EXPECT_EQ(status.out, "");
  EXPECT_EQ(
      status.err,
      "error: " + file + ": line 3: expected \"text\", dword:, hex:, hex(N): or - after \"=\"\n");
  EXPECT_EQ(ReadWholeFile(file), faulty);
}

TEST_F(Cli, ExportWritesTheRestoreFileOrSaysWhyNotAsTheErrorBoxWould) {
  const std::string file = File("RestoreFromTewaks.reg");
  const Result exported = Run({"export", file});
  EXPECT_EQ(exported.code, 0) << exported.err;
  EXPECT_EQ(exported.out, "");
  const std::string written = ReadWholeFile(file);
  EXPECT_EQ(written.size(), 1414u);
  EXPECT_EQ(written.rfind("Windows Registry Editor Version 5.00\r\n\r\n;Created by", 0), 0u);

  const Result refused = Run({"export", File("no such folder/r.reg")});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "error: Invalid filename.\n");
  EXPECT_EQ(Run({"export"}).code, 2);
}

TEST_F(Cli, SystemShowsWhatTheGateSeesOfASimulatedWindows7) {
  const std::string ultimate = File("ultimate.reg");
  Write(ultimate, kFreshWindows7);
  const std::string expected =
      "major version: 6\nminor version: 1\nbuild number: 7601\nplatform: 2\nOS name: \n"
      "edition: Ultimate\nWOW64: no\nprocessor architecture: 0\ngate: ";
  Result system = Run({"--registry", ultimate, "system"});
  EXPECT_EQ(system.code, 0) << system.err;
  EXPECT_EQ(system.out, expected + "passes\n");

  const std::string professional = File("professional.reg");
  Write(professional, std::string(kFreshWindows7) +
                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
                          "\"EditionID\"=\"Professional\"\n");
  system = Run({"--registry", professional, "system"});
  EXPECT_EQ(system.code, 0);
  EXPECT_NE(system.out.find("edition: \n"), std::string::npos);
  EXPECT_NE(system.out.find("gate: refuses\n"), std::string::npos);

  const std::string broken = File("broken.reg");
  Write(broken,
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
        "\"EditionID\"=dword:1\n");
  system = Run({"--registry", broken, "system"});
  EXPECT_EQ(system.code, 1);
  EXPECT_EQ(system.err, "error: Invalid data type for 'EditionID'\n");
  EXPECT_EQ(Run({"system", "extra"}).code, 2);
}

// The fixture as a person writes it: LF line ends, comments, not the canonical form.
std::string ByHand(const char* fixture) {
  std::string text = fixture;
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text + "; written by hand\n";
}

// The backup of the fresh system, named as taken at "T".
std::string FreshBackup() {
  MemoryRegistry fresh = LoadSnapshot(kFreshWindows7);
  return BackupScript(fresh, "T");
}

TEST_F(Cli, PlanPrintsWhatTheCommandWouldDoAndTouchesNoFile) {
  struct Case {
    std::vector<std::string> plan;
    std::vector<std::string> real;
  };
  const Case cases[] = {
      {{"plan", "0,3,7,13"}, {"apply", "0,3,7,13"}},
      {{"plan", "none"}, {"apply", "none"}},
      {{"plan", "all"}, {"apply", "all"}},
      {{"plan", "defaults"}, {"defaults"}},
  };
  int failed = 0;
  for (const char* fixture : {kFreshWindows7, kOddTweaks}) {
    for (const Case& c : cases) {
      for (const std::vector<std::string>& profile :
           {std::vector<std::string>{}, std::vector<std::string>{"--user"}}) {
        const std::string planned_file = File("planned.reg");
        const std::string real_file = File("real.reg");
        Write(planned_file, ByHand(fixture));
        Write(real_file, ByHand(fixture));
        const auto written = fs::last_write_time(planned_file);
        std::vector<std::string> plan = c.plan;
        std::vector<std::string> real = c.real;
        for (auto* args : {&plan, &real}) {
          args->insert(args->end(), profile.begin(), profile.end());
          args->insert(args->end(), {"--registry", args == &plan ? planned_file : real_file});
        }
        const Result planned = Run(plan);
        const Result applied = Run(real);
        std::string lines;
        for (const std::string& line : RegistryDifference(LoadSnapshot(ByHand(fixture)),
                                                          LoadSnapshot(ReadWholeFile(real_file)))) {
          lines += line + "\n";
        }
        SCOPED_TRACE(::testing::PrintToString(plan));
        EXPECT_EQ(planned.out, lines + applied.out);
        EXPECT_EQ(planned.err, applied.err);
        EXPECT_EQ(planned.code, applied.code);
        EXPECT_EQ(ReadWholeFile(planned_file), ByHand(fixture));
        EXPECT_EQ(fs::last_write_time(planned_file), written);
        if (applied.code != 0) ++failed;
      }
    }
  }
  EXPECT_GT(failed, 2);
}

TEST_F(Cli, BackupWritesTheScriptOnlyOrSaysWhyNotAsTheExportWould) {
  const std::string snapshot = File("system.reg");
  Write(snapshot, ByHand(kFreshWindows7));
  const std::string backup = File("backup.reg");
  const Result taken = Run({"--registry", snapshot, "backup", backup});
  EXPECT_EQ(taken.code, 0) << taken.err;
  EXPECT_EQ(taken.out, "");
  const std::string written = ReadWholeFile(backup);
  const std::string expected = FreshBackup();
  // The same script but for the moment it names.
  const std::size_t time = written.find("taken ") + 6;
  EXPECT_EQ(written.substr(0, time) + written.substr(written.find(".\r\n", time)),
            expected.substr(0, time) + expected.substr(expected.find(".\r\n", time)));
  EXPECT_EQ(ReadWholeFile(snapshot), ByHand(kFreshWindows7));

  fs::create_directories(File("a folder"));
  struct Case {
    std::string file;
    const char* error;
  };
  for (const Case& c : {Case{File("no such folder/b.reg"), "error: Invalid filename.\n"},
                        Case{File("a folder"), "error: File access denied.\n"},
                        Case{File(std::string(260, 'n').c_str()), "error: Invalid filename.\n"}}) {
    const Result refused = Run({"--registry", snapshot, "backup", c.file});
    EXPECT_EQ(refused.code, 1) << c.file;
    EXPECT_EQ(refused.err, c.error) << c.file;
    EXPECT_EQ(refused.out, "");
  }
}

TEST_F(Cli, ABackupBeforeTheCommandComesFirstAndWhenItFailsNothingChanges) {
  const std::string snapshot = File("system.reg");
  Write(snapshot, ByHand(kFreshWindows7));
  const std::string backup = File("before-apply.reg");
  const Result applied = Run({"--registry", snapshot, "apply", "3", "--backup", backup});
  EXPECT_EQ(applied.code, 0) << applied.err;
  EXPECT_EQ(applied.out, Rows("...x.........."));
  EXPECT_NE(ReadWholeFile(backup).find("\"MenuShowDelay\"=\"400\""), std::string::npos);
  MemoryRegistry restored = LoadSnapshot(ReadWholeFile(snapshot));
  ApplyRegistryScript(restored, ReadWholeFile(backup));
  EXPECT_EQ(BackupScript(restored, "T"), FreshBackup());

  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"apply", "all"}, std::vector<std::string>{"defaults"}}) {
    Write(snapshot, ByHand(kFreshWindows7));
    std::vector<std::string> args = command;
    args.insert(args.end(), {"--registry", snapshot, "--backup", File("no such folder/b.reg")});
    const Result refused = Run(args);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "error: Invalid filename.\n");
    EXPECT_EQ(ReadWholeFile(snapshot), ByHand(kFreshWindows7));
  }
}

TEST_F(Cli, ScriptWritesTheDeploymentScriptWithoutAnyRegistry) {
  struct Case {
    std::vector<std::string> part;
    ScriptPart expected;
  };
  for (const Case& c :
       {Case{{}, ScriptPart::Whole}, Case{{"--part", "machine"}, ScriptPart::Machine},
        Case{{"--part", "user"}, ScriptPart::User}}) {
    const std::string script = File("deploy.reg");
    std::vector<std::string> args{"script", "0,3,13", script};
    args.insert(args.end(), c.part.begin(), c.part.end());
    const Result written = Run(args);  // no snapshot and, here, no live registry either
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(ReadWholeFile(script), DeploymentScript("x..x.........x", c.expected));
  }
  // Given a snapshot, it does not even read it.
  const Result ignoring = Run({"--registry", File("unread.reg"), "script", "none", File("n.reg")});
  EXPECT_EQ(ignoring.code, 0);
  EXPECT_FALSE(fs::exists(File("unread.reg")));
  const Result refused = Run({"script", "all", File("no such folder/s.reg")});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "error: Invalid filename.\n");
}

}  // namespace
}  // namespace quillmark::testing
