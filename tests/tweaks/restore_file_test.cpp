// The restore file: its bytes, and what a registry client makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fileio/file_api.h"
#include "regfile/registry_script.h"
#include "support/engine_harness.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/full_disk_files.h"
#include "support/recording_files.h"
#include "support/restore_file_export.h"
#include "tweaks/restore_file.h"

namespace quillmark::testing {
namespace {

const char* const kExpected =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    ";Created by Fernhollow: Quillmark\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To]\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
    "\"AutoEndTasks\"=\"0\"\r\n"
    "\"HungAppTimeout\"=\"20000\"\r\n"
    "\"MenuShowDelay\"=\"400\"\r\n"
    "\"WaitToKillAppTimeout\"=\"20000\"\r\n"
    "\"LowLevelHooksTimeout\"=\"20000\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\r\n"
    "\"MouseHoverTime\"=\"400\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
    "\"NoLowDiskSpaceChecks\"=dword:00000000\r\n"
    "\"NoResolveSearch\"=dword:00000000\r\n"
    "\"NoResolveTrack\"=dword:00000000\r\n"
    "\"NoInternetOpenWith\"=dword:00000000\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]\r\n"
    "\"WaitToKillServiceTimeout\"=\"20000\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer"
    "\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}]\r\n"
    "@=\"Printers\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\policies\\system]\r\n"
    "\"EnableLUA\"=dword:00000001\r\n"
    "\"ConsentPromptBehaviorAdmin\"=dword:00000001\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\*\\shell\\runas]\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad]\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\Directory\\shell\\runas]\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n"
    "@=\"none\"\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here]\r\n"
    "\r\n"
    "[-HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content]\r\n";

TEST(RestoreFile, IsFortySixCrLfLinesOfPlainText) {
  RecordingFiles files;
  WriteRestoreFile(files, "RestoreFromTewaks.reg");
  const std::string written = files.Written();
  EXPECT_EQ(written, kExpected);
  EXPECT_EQ(written.size(), 1414u);
  std::size_t line_ends = 0;
  for (std::size_t at = 0; (at = written.find("\r\n", at)) != std::string::npos; at += 2)
    ++line_ends;
  EXPECT_EQ(line_ends, 46u);
  EXPECT_EQ(written.find('\n'), written.find("\r\n") + 1);
  for (unsigned char c : written) EXPECT_LT(c, 0x80);
  // Looked at, a fresh file made, eleven full blocks while writing, the last six bytes at
  // close, then flushed, closed and renamed over the file.
  EXPECT_EQ(files.calls.size(), 4u + 12u + 4u);
  EXPECT_EQ(files.calls[14], "write 128");
  EXPECT_EQ(files.calls[15], "write 6");
  EXPECT_EQ(files.calls[18], "replace RestoreFromTewaks.reg.*.tmp RestoreFromTewaks.reg");
}

TEST(RestoreFile, ARealFileIsReplacedWholeByTheSameBytes) {
  const auto path = std::filesystem::temp_directory_path() / "quillmark-restore-test.reg";
  std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
  WriteRestoreFile(SystemFiles(), path.string());
  EXPECT_EQ(ReadWholeFile(path), kExpected);
  std::filesystem::remove(path);
}

TEST(RestoreFile, AnExportThatStopsLeavesTheFileAsItWasAndRemovesTheFreshOne) {
  struct Case {
    int refuse_write;  // the n-th block; the twelfth goes at close
    int short_write;
    std::uint32_t refuse_create;
    bool made;  // whether a fresh file was made, to be removed
  };
  const Case cases[] = {
      {1, 0, 0, true},  {2, 0, 0, true}, {11, 0, 0, true},
      {12, 0, 0, true}, {0, 5, 0, true}, {0, 0, kAccessDenied, false},
  };
  for (const Case& c : cases) {
    RecordingFiles files;
    files.refuse_write = c.refuse_write;
    files.short_write = c.short_write;
    files.refuse_create = c.refuse_create;
    EXPECT_THROW(WriteRestoreFile(files, "RestoreFromTewaks.reg"), EInOutError);
    const bool removed = files.calls.back() == "remove RestoreFromTewaks.reg.*.tmp";
    EXPECT_EQ(removed, c.made) << c.refuse_write << " " << c.short_write;
    if (c.made) {
      EXPECT_EQ(files.calls[files.calls.size() - 2], "close");
    }
    for (const std::string& call : files.calls) {
      EXPECT_EQ(call.find("replace"), std::string::npos) << call;
      EXPECT_NE(call, "remove RestoreFromTewaks.reg");
    }
  }
}

// A failed export used to leave no file; now the user's earlier file survives it whole.
TEST(RestoreFile, ADiskFullAtAnyByteLeavesTheEarlierFileWholeAndRoomEnoughTheNewOne) {
  const auto folder = FreshTestFolder("quillmark-full-disk-");
  const auto path = folder / "r.reg";
  struct Case {
    std::uint64_t room;
    const char* outcome;
  };
  // 200 bytes: the second block fails; 1413: the last bytes, at close.
  for (const Case& c : {Case{0, "112 I/O error 112"}, Case{200, "112 I/O error 112"},
                        Case{1413, "112 I/O error 112"}, Case{1414, "exported"}}) {
    std::ofstream(path, std::ios::binary) << std::string(5000, 'x');
    FullDiskFiles files(c.room);
    EXPECT_EQ(ExportRestoreFile(path.string(), files), c.outcome) << c.room;
    EXPECT_EQ(ReadWholeFile(path), c.room == 1414 ? kExpected : std::string(5000, 'x')) << c.room;
    EXPECT_EQ(SortedNames(folder), std::vector<std::string>{"r.reg"}) << c.room;
  }
  std::filesystem::remove_all(folder);
}

TEST(RestoreFile, ARegistryClientGetsTheDefaultsBackButLeavesLinkResolveIgnoreLinkInfo) {
  EngineHarness imported(kFreshWindows7);
  imported.TickExactly("xxxxxxxxxxxxxx");
  imported.engine.SetTweaks();
  ApplyRegistryScript(imported.registry, kExpected);

  EngineHarness restored(kFreshWindows7);
  restored.TickExactly("xxxxxxxxxxxxxx");
  restored.engine.SetTweaks();
  restored.engine.WriteSystemDefaults();

  const std::string left = "\"LinkResolveIgnoreLinkInfo\"=dword:00000001\r\n";
  const std::string defaulted = "\"LinkResolveIgnoreLinkInfo\"=dword:00000000\r\n";
  std::string from_file = imported.Snapshot();
  std::string from_defaults = restored.Snapshot();
  ASSERT_NE(from_file.find(left), std::string::npos);
  ASSERT_NE(from_defaults.find(defaulted), std::string::npos);
  from_file.replace(from_file.find(left), left.size(), defaulted);
  EXPECT_EQ(from_file, from_defaults);

  imported.engine.ProbeAll();
  EXPECT_EQ(imported.list.Boxes(), "..............");
}

}  // namespace
}  // namespace quillmark::testing
