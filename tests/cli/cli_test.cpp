// quillmark-cli over snapshot files: commands, rows, exit codes, usage errors, the output after
// a failure, JSON, the registry editor's own files, and the file written back only on a change.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/row_selection.h"
#include "cli/usage_errors.h"
#include "regfile/registry_difference.h"
#include "regfile/registry_file_encoding.h"
#include "regfile/registry_script.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/project_version.h"
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
  void SetUp() override { folder_ = FreshTestFolder("quillmark-cli-"); }
  void TearDown() override { fs::remove_all(folder_); }

  Result Run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
  }
  std::string File(const char* name) const { return (folder_ / name).string(); }
  static void Write(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // The names in the folder: a command leaves no file of its own behind.
  std::vector<std::string> Names() const { return SortedNames(folder_); }

 private:
  fs::path folder_;
};

const char* const kCaptions[] = {
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

const char* const kNames[] = {
    "copy-to",          "move-to",
    "end-tasks",        "menu-delay",
    "low-disk",         "link-resolve",
    "open-with-search", "take-ownership",
    "explorer-speed",   "command-prompt",
    "notepad",          "delete-content",
    "hover-time",       "uac",
};

// The fourteen rows as printed, ticked where boxes has an "x".
std::string Rows(const std::string& boxes) {
  std::string rows;
  for (int i = 0; i < 14; ++i) {
    rows += std::to_string(i) + (boxes[static_cast<std::size_t>(i)] == 'x' ? " [x] " : " [ ] ") +
            kCaptions[i] + "\n";
  }
  return rows;
}

// The rows after a failure: said not to be read back, and where the registry's state is read.
std::string UnreadRows(const std::string& boxes, const std::string& file) {
  return "not read back: the command stopped at its failure; the check boxes as the window "
         "shows them now:\n" +
         Rows(boxes) + "what the registry holds now: quillmark-cli --registry " + file +
         " status\n";
}

std::string JsonText(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

TEST_F(Cli, HelpVersionAndEveryUsageErrorSayWhatTheyShould) {
  for (const char* help : {"--help", "-h"}) {
    const Result shown = Run({help});
    EXPECT_EQ(shown.code, 0);
    EXPECT_EQ(shown.out.rfind("usage: quillmark-cli", 0), 0u);
    EXPECT_EQ(shown.err, "");
  }
  const Result version = Run({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, "quillmark-cli " QUILLMARK_PROJECT_VERSION "\n");

  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command frobnicate"},
      {{"--foo", "status"}, "unknown option --foo"},
      {{"status", "-x"}, "unknown option -x"},
      {{"apply", "-1"}, "unknown option -1"},
      {{"--registry"}, "--registry needs a FILE"},
      {{"--registry", "a", "--registry", "b", "status"}, "--registry is given twice"},
      {{"--user", "status"}, "--user works only with --registry FILE"},
      {{"--json", "export", "f"}, "--json works only with list, status, apply and defaults"},
      {{"system", "--json"}, "--json works only with list, status, apply and defaults"},
      {{"status", "extra"}, "status takes no arguments"},
      {{"list", "x"}, "list takes no arguments"},
      {{"apply"}, "apply needs ROWS"},
      {{"apply", "1", "2"}, "apply takes one argument"},
      {{"export"}, "export needs a FILE"},
      {{"export", "a", "b"}, "export takes one argument"},
      {{"apply", "14"}, "no row 14: rows are 0 to 13"},
      {{"apply", "3,099"}, "no row 099: rows are 0 to 13"},
      {{"apply", "0-14"}, "no row 14: rows are 0 to 13"},
      {{"apply", "2x"}, "no row 2x: rows are 0 to 13"},
      {{"apply", "1,,2"}, "an empty row in \"1,,2\""},
      {{"apply", "1,"}, "an empty row in \"1,\""},
      {{"apply", "5-3"}, "the range 5-3 runs backwards"},
      {{"apply", "x"}, "no row named x: list shows the names"},
      {{"apply", "Copy-To"}, "no row named Copy-To: list shows the names"},
      {{"apply", "1,all"}, "all stands alone: give it as the whole of ROWS"},
      {{"plan"}, "plan needs ROWS or defaults"},
      {{"plan", "14"}, "no row 14: rows are 0 to 13"},
      {{"plan", "defaults", "x"}, "plan takes one argument"},
      {{"plan", "1", "--backup", "b.reg"}, "--backup works only with apply and defaults"},
      {{"plan", "1", "--json"}, "--json works only with list, status, apply and defaults"},
      {{"backup"}, "backup needs a FILE"},
      {{"backup", "a.reg", "b.reg"}, "backup takes one argument"},
      {{"backup", "a.reg", "--backup", "b.reg"}, "--backup works only with apply and defaults"},
      {{"status", "--backup", "b.reg"}, "--backup works only with apply and defaults"},
      {{"defaults", "--backup"}, "--backup needs a FILE"},
      {{"apply", "1", "--backup", "a", "--backup", "b"}, "--backup is given twice"},
      {{"script", "1"}, "script takes ROWS and a FILE"},
      {{"script", "99", "s.reg"}, "no row 99: rows are 0 to 13"},
      {{"script", "1", "s.reg", "--part", "both"}, "no part both: --part takes machine or user"},
      {{"script", "1", "s.reg", "--part"}, "--part needs machine or user"},
      {{"apply", "1", "--part", "user"}, "--part works only with script"},
  };
  for (const Case& c : cases) {
    const Result bad = Run(c.args);
    EXPECT_EQ(bad.code, 2) << ::testing::PrintToString(c.args);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, std::string("error: ") + c.error + "\nsee quillmark-cli --help\n");
  }
}

TEST_F(Cli, HelpListsEveryCommandAndOption) {
  const std::string help = Run({"--help"}).out;
  for (const char* word :
       {"  list ", "  status ", "  apply ROWS ", "  defaults ", "  plan ROWS ", "  plan defaults ",
        "  backup FILE ", "  script ROWS FILE ", "  export FILE ", "  system ",
        "  --registry FILE ", "  --user ", "  --any-system ", "  --backup FILE ",
        "  --part machine ", "  --part user ", "  --json ", "--help ", "  --version "}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
}

TEST_F(Cli, RowsAreGivenByIndexNameOrRange) {
  struct Case {
    const char* rows;
    const char* boxes;
  };
  const Case cases[] = {
      {"none", ".............."},        {"all", "xxxxxxxxxxxxxx"},
      {"0,3,13", "x..x.........x"},      {"13,0,0", "x............x"},
      {"07", ".......x......"},          {"0-3", "xxxx.........."},
      {"12-13", "............xx"},       {"4-4,copy-to", "x...x........."},
      {"uac,notepad", "..........x..x"}, {"0-1,move-to,5-7", "xx...xxx......"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRows(c.rows), c.boxes) << c.rows;
  std::string every;
  for (const char* name : kNames) every += std::string(every.empty() ? "" : ",") + name;
  EXPECT_EQ(ParseRows(every), "xxxxxxxxxxxxxx");
  for (int row = 0; row < 14; ++row) {
    std::string boxes(14, '.');
    boxes[static_cast<std::size_t>(row)] = 'x';
    EXPECT_EQ(ParseRows(kNames[row]), boxes) << kNames[row];
  }

  const std::string file = File("system.reg");
  Write(file, kFreshWindows7);
  const Result apply = Run({"--registry", file, "apply", "copy-to,menu-delay,7,uac"});
  EXPECT_EQ(apply.code, 0) << apply.err;
  EXPECT_EQ(apply.out, Rows("x..x...x.....x"));
}

TEST_F(Cli, ListPrintsTheCatalogueWithTheNamesTabSeparated) {
  const Result list = Run({"list"});
  EXPECT_EQ(list.code, 0);
  std::istringstream lines(list.out);
  std::string line;
  int row = 0;
  for (; std::getline(lines, line); ++row) {
    ASSERT_LT(row, 14);
    const std::string start = std::to_string(row) + "\t" + kCaptions[row] + "\t";
    EXPECT_EQ(line.rfind(start, 0), 0u) << line;
    EXPECT_EQ(line.substr(line.rfind('\t') + 1), kNames[row]);
  }
  EXPECT_EQ(row, 14);
  EXPECT_NE(list.out.find("8\tSpeed up the Explorer navigation\tSpeeds up Windows 7 by disabling "
                          "network printers and scheduled tasks on Windows \t"),
            std::string::npos);
}

TEST_F(Cli, JsonGivesScriptsTheRowsAndTheError) {
  const std::string file = File("system.reg");
  Write(file, kFreshWindows7);
  const auto expected = [](const std::string& boxes, const char* error) {
    std::string json = "{\n  \"rows\": [\n";
    for (int i = 0; i < 14; ++i) {
      json += "    {\"index\": " + std::to_string(i) + ", \"name\": \"" + kNames[i] +
              "\", \"caption\": " + JsonText(kCaptions[i]) + ", \"state\": \"" +
              (boxes[static_cast<std::size_t>(i)] == 'x' ? "ticked" : "unticked") + "\"}" +
              (i < 13 ? ",\n" : "\n");
    }
    return json + "  ],\n  \"read_back\": " + (error ? "false" : "true") +
           ",\n  \"error\": " + (error ? JsonText(error) : "null") + "\n}\n";
  };
  const Result status = Run({"--json", "--registry", file, "status"});
  EXPECT_EQ(status.code, 0) << status.err;
  EXPECT_EQ(status.out, expected("..............", nullptr));

  const Result refused = Run({"--registry", file, "--user", "apply", "uac", "--json"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.out, expected(".............x", "Failed to set data for ''"));
  EXPECT_EQ(refused.err, "error: Failed to set data for ''\n");

  const Result missing = Run({"--json", "--registry", File("no such folder/x.reg"), "status"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(
      missing.out.rfind("{\n  \"rows\": [\n  ],\n  \"read_back\": false,\n  \"error\": \"", 0), 0u)
      << missing.out;

  const Result list = Run({"list", "--json"});
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out.rfind("{\n  \"rows\": [\n    {\"index\": 0, \"name\": \"copy-to\", "
                           "\"caption\": \"Add \\\"Copy To\\\" option in files and folders "
                           "context menu (right click)\", \"information\": \"Adds \\\"Copy To",
                           0),
            0u)
      << list.out.substr(0, 200);
  EXPECT_TRUE(list.out.ends_with("\"}\n  ]\n}\n")) << list.out;
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
  EXPECT_EQ(Names(), std::vector<std::string>{"system.reg"});
}

TEST_F(Cli, AfterAFailureTheRowsAreSaidNotToBeReadBackAndTheFileKeepsWhatWasWritten) {
  struct Case {
    std::vector<std::string> command;
    bool fresh;  // a fresh Windows 7, or no file at all
    const char* error;
    const char* boxes;
  };
  const Case cases[] = {
      // The probes stop at the first value that is not there.
      {{"status"}, false, "Failed to get data for 'EnableLUA'", "........x....."},
      // A standard user's first write is refused: the boxes are the ones asked for.
      {{"--user", "apply", "all"}, true, "Failed to set data for ''", "xxxxxxxxxxxxxx"},
      {{"--user", "apply", "0-1,uac"}, true, "Failed to set data for ''", "xx...........x"},
      {{"--user", "defaults"}, true, "Failed to set data for ''", ".............."},
  };
  for (const Case& c : cases) {
    const std::string file = File("state.reg");
    fs::remove(file);
    if (c.fresh) Write(file, kFreshWindows7);
    std::vector<std::string> args = {"--registry", file};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const Result failed = Run(args);
    EXPECT_EQ(failed.code, 1) << ::testing::PrintToString(c.command);
    EXPECT_EQ(failed.err, std::string("error: ") + c.error + "\n");
    EXPECT_EQ(failed.out, UnreadRows(c.boxes, file));
  }
  // The keys the probes made before the failure are in the file.
  Run({"--registry", File("made.reg"), "status"});
  EXPECT_NE(ReadWholeFile(File("made.reg")).find("[HKEY_CLASSES_ROOT\\*\\shell\\runas]"),
            std::string::npos);
}

TEST_F(Cli, TheFileIsRewrittenOnlyWhenTheRegistryChanged) {
  // A fresh Windows 7 with the key the first probe run makes: its comments and LF line ends stay
  // as long as nothing changes.
  const std::string settled =
      std::string(kFreshWindows7) + "[HKEY_CLASSES_ROOT\\*\\shell\\runas]\n";
  struct Case {
    std::string before;
    std::vector<std::string> command;
    bool rewritten;
  };
  const Case cases[] = {
      {settled, {"status"}, false},
      {settled, {"system"}, false},
      {settled, {"--user", "apply", "3"}, false},  // refused before it wrote anything
      {settled, {"apply", "3"}, true},
      {settled, {"defaults"}, true},
      {kFreshWindows7, {"status"}, true},  // the probes make a key
      {"Windows Registry Editor Version 5.00\n", {"status"}, true},
  };
  const std::string file = File("m.reg");
  for (const Case& c : cases) {
    Write(file, c.before);
    std::vector<std::string> args = {"--registry", file};
    args.insert(args.end(), c.command.begin(), c.command.end());
    Run(args);
    const std::string after = ReadWholeFile(file);
    EXPECT_EQ(after != c.before, c.rewritten) << ::testing::PrintToString(c.command);
    if (c.rewritten) {
      EXPECT_EQ(SaveSnapshot(LoadSnapshot(after)), after);
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"m.reg"});
  }
  // Applying what is in force already changes nothing either.
  Write(file, settled);
  Run({"--registry", file, "apply", "3"});
  const std::string marked = ReadWholeFile(file) + "; mine\r\n";
  Write(file, marked);
  EXPECT_EQ(Run({"--registry", file, "apply", "menu-delay"}).code, 0);
  EXPECT_EQ(ReadWholeFile(file), marked);
}

TEST_F(Cli, TheRegistryEditorsOwnFilesAreReadAndWrittenBackInTheirEncoding) {
  struct Case {
    const char* name;
    std::string_view bytes;
    RegistryFileEncoding encoding;
  };
  const Case cases[] = {
      {"utf16.reg", kRegeditExportUtf16Le, RegistryFileEncoding::Utf16LeWithMark},
      {"utf8.reg", kRegeditExportUtf8, RegistryFileEncoding::Utf8WithMark},
      {"config.reg", kRegeditExportOtherRoot, RegistryFileEncoding::Utf16LeWithMark},
  };
  for (const Case& c : cases) {
    const std::string file = File(c.name);
    Write(file, c.bytes);
    const SnapshotDocument before = LoadSnapshotDocument(DecodeRegistryFile(c.bytes).text);
    const Result system = Run({"--registry", file, "system"});
    EXPECT_EQ(system.code, 0) << system.err;
    EXPECT_EQ(ReadWholeFile(file), c.bytes) << c.name;

    const Result apply = Run({"--registry", file, "apply", "all"});
    EXPECT_EQ(apply.code, 0) << apply.err;
    EXPECT_EQ(apply.out, Rows("xxxxxxxxxxxxxx"));
    const RegistryFileText after = DecodeRegistryFile(ReadWholeFile(file));
    EXPECT_EQ(after.encoding, c.encoding) << c.name;
    const SnapshotDocument written = LoadSnapshotDocument(after.text);
    // What was there stays, the kept sections last and untouched.
    EXPECT_EQ(written.kept_sections, before.kept_sections) << c.name;
    EXPECT_EQ(SaveSnapshotDocument(written), after.text) << c.name;
    EXPECT_NE(after.text.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"),
              std::string::npos);
  }
  // The kept section is the registry editor's, as it wrote it.
  EXPECT_NE(DecodeRegistryFile(ReadWholeFile(File("config.reg")))
                .text.find("\r\n\r\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\r\n"
                           "\"FIXEDFON.FON\"=\"vgafix.fon\"\r\n"),
            std::string::npos);
  const std::string text = DecodeRegistryFile(ReadWholeFile(File("utf16.reg"))).text;
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\QuillmarkExport\\Caf\xe9]\r\n"
                      "\"Price\"=\"5 \x80 (\x8a)\"\r\n"),
            std::string::npos);

  const std::string unknown = File("unknown.reg");
  Write(unknown, std::string("\xff\xfeW\0\n\0\x00\x01", 8));
  const Result refused = Run({"--registry", unknown, "status"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "error: " + unknown +
                             ": line 2: the character U+0100 has no place in the Windows-1252 "
                             "code page\n");
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
  EXPECT_EQ(Names(), std::vector<std::string>{"faulty.reg"});
}

TEST_F(Cli, ExportWritesTheRestoreFileOrSaysWhyNotAfterItsName) {
  const std::string file = File("RestoreFromTewaks.reg");
  const Result exported = Run({"export", file});
  EXPECT_EQ(exported.code, 0) << exported.err;
  EXPECT_EQ(exported.out, "");
  const std::string written = ReadWholeFile(file);
  EXPECT_EQ(written.size(), 1414u);
  EXPECT_EQ(written.rfind("Windows Registry Editor Version 5.00\r\n\r\n;Created by", 0), 0u);
  Write(file, std::string(5000, 'x'));
  EXPECT_EQ(Run({"export", file}).code, 0);
  EXPECT_EQ(ReadWholeFile(file), written);

  const std::string nowhere = File("no such folder/r.reg");
  const Result refused = Run({"export", nowhere});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "error: " + nowhere + ": Invalid filename.\n");
  const Result folder = Run({"export", File("")});
  EXPECT_EQ(folder.code, 1);
  EXPECT_EQ(folder.err, "error: " + File("") + ": File access denied.\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"RestoreFromTewaks.reg"});
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
        // The plan, then the real command, on the same file: the plan must leave it untouched.
        const std::string file = File("system.reg");
        Write(file, ByHand(fixture));
        const auto written = fs::last_write_time(file);
        std::vector<std::string> plan = c.plan;
        std::vector<std::string> real = c.real;
        for (auto* args : {&plan, &real}) {
          args->insert(args->end(), profile.begin(), profile.end());
          args->insert(args->end(), {"--registry", file});
        }
        SCOPED_TRACE(::testing::PrintToString(plan));
        const Result planned = Run(plan);
        EXPECT_EQ(ReadWholeFile(file), ByHand(fixture));
        EXPECT_EQ(fs::last_write_time(file), written);
        const Result applied = Run(real);
        std::string lines;
        for (const std::string& line :
             RegistryDifference(LoadSnapshot(ByHand(fixture)), LoadSnapshot(ReadWholeFile(file)))) {
          lines += line + "\n";
        }
        EXPECT_EQ(planned.out, lines + applied.out);
        EXPECT_EQ(planned.err, applied.err);
        EXPECT_EQ(planned.code, applied.code);
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

  // Bad targets say what the export says of them, and nothing is left behind.
  fs::create_directories(File("a folder"));
  struct Case {
    std::string file;
    const char* message;
  };
  for (const Case& c : {Case{File("no such folder/b.reg"), "Invalid filename."},
                        Case{File("a folder"), "File access denied."},
                        Case{File(std::string(260, 'n').c_str()), "Invalid filename."}}) {
    const std::string error = "error: " + c.file + ": " + c.message + "\n";
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"--registry", snapshot, "backup", c.file},
          std::vector<std::string>{"script", "all", c.file},
          std::vector<std::string>{"export", c.file}}) {
      const Result refused = Run(command);
      SCOPED_TRACE(::testing::PrintToString(command));
      EXPECT_EQ(refused.code, 1);
      EXPECT_EQ(refused.err, error);
      EXPECT_EQ(refused.out, "");
    }
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"a folder", "backup.reg", "system.reg"}));
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
    const std::string nowhere = File("no such folder/b.reg");
    args.insert(args.end(), {"--registry", snapshot, "--backup", nowhere});
    const Result refused = Run(args);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "error: " + nowhere + ": Invalid filename.\n");
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
  // A file that is there is replaced whole.
  const std::string script = File("deploy.reg");
  Write(script, std::string(50000, 'x'));
  EXPECT_EQ(Run({"script", "none", script}).code, 0);
  EXPECT_EQ(ReadWholeFile(script), DeploymentScript("..............", ScriptPart::Whole));
}

}  // namespace
}  // namespace quillmark::testing
