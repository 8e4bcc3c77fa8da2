#include "tweaks/restore_file.h"

#include "fileio/output_text_file.h"
#include "fileio/unfinished_file.h"

namespace quillmark {

const std::array<const char*, 46> kRestoreFileLines = {
    "Windows Registry Editor Version 5.00",
    "",
    ";Created by Fernhollow: Quillmark",
    "",
    "[-HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To]",
    "",
    "[-HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To]",
    "",
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]",
    "\"AutoEndTasks\"=\"0\"",
    "\"HungAppTimeout\"=\"20000\"",
    "\"MenuShowDelay\"=\"400\"",
    "\"WaitToKillAppTimeout\"=\"20000\"",
    "\"LowLevelHooksTimeout\"=\"20000\"",
    "",
    "[HKEY_CURRENT_USER\\Control Panel\\Mouse]",
    "\"MouseHoverTime\"=\"400\"",
    "",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]",
    "\"NoLowDiskSpaceChecks\"=dword:00000000",
    "\"NoResolveSearch\"=dword:00000000",
    "\"NoResolveTrack\"=dword:00000000",
    "\"NoInternetOpenWith\"=dword:00000000",
    "",
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]",
    "\"WaitToKillServiceTimeout\"=\"20000\"",
    "",
    "[HKEY_LOCAL_"
    "MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\{"
    "863aa9fd-42df-457b-8e4d-0de1b8015c60}]",
    "@=\"Printers\"",
    "",
    "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\policies\\system]",
    "\"EnableLUA\"=dword:00000001",
    "\"ConsentPromptBehaviorAdmin\"=dword:00000001",
    "",
    "[-HKEY_CLASSES_ROOT\\*\\shell\\runas]",
    "",
    "[-HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad]",
    "",
    "[-HKEY_CLASSES_ROOT\\Directory\\shell\\runas]",
    "",
    "[HKEY_CLASSES_ROOT\\Directory\\shell]",
    "@=\"none\"",
    "",
    "[-HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here]",
    "",
    "[-HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content]",
};

void WriteRestoreFile(FileApi& files, const std::string& path) {
  OutputTextFile file(files);
  file.BindName(path);
  file.OpenForWriting();
  CheckIoResult();
  UnfinishedFile unfinished(file);
  for (const char* line : kRestoreFileLines) {
    file.PutString(line);
    file.PutLineEnd();
    CheckIoResult();
  }
  file.CloseFile();
  CheckIoResult();
  unfinished.Finished();
}

}  // namespace quillmark
