// Random registry states around the tweaks' keys, for the differential tests: each piece, a
// section of a registry snapshot, is in a state or not.
#pragma once

#include <random>
#include <string>

namespace quillmark::testing {

inline constexpr const char* kTweakStatePieces[] = {
    "[HKEY_CLASSES_ROOT\\*\\shell]\n",
    "[HKEY_CLASSES_ROOT\\*\\shell\\runas]\n@=\"Take Ownership\"\n\"NoWorkingDirectory\"=\"\"\n",
    "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\n"
    "@=\"cmd.exe /c takeown /f \\\"%V\\\" && icacls \\\"%V\\\" /grant administrators:F\"\n"
    "\"IsolatedCommand\"=\"cmd.exe /c takeown /f \\\"%V\\\" && icacls \\\"%V\\\" /grant "
    "administrators:F\"\n",
    "[HKEY_CLASSES_ROOT\\*\\shell\\RunAs\\Extra]\n\"x\"=dword:00000001\n",
    "[HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad\\command]\n@=\"NOTEPAD.EXE %V\"\n",
    "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To]\n"
    "@=\"{C2FBB630-2971-11D1-A18C-00C04FD75D13}\"\n",
    "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To]\n"
    "@=dword:00000001\n",
    "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To]\n@=\"k\"\n",
    "[HKEY_CLASSES_ROOT\\Directory\\shell]\n@=\"none\"\n",
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\runas\\command]\n@=\"x\"\n",
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here]\n",
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content\\command]\n@=\"y\"\n",
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\cmd]\n@=\"keep\"\n",
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"AutoEndTasks\"=\"1\"\n"
    "\"HungAppTimeout\"=\"1000\"\n\"WaitToKillAppTimeout\"=\"2000\"\n"
    "\"LowLevelHooksTimeout\"=\"1000\"\n",
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"8\"\n\"Other\"=\"o\"\n",
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"LowLevelHooksTimeout\"=dword:00000000\n",
    "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"50\"\n",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n"
    "\"NoLowDiskSpaceChecks\"=dword:00000001\n\"NoInternetOpenWith\"=dword:00000001\n",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n"
    "\"LinkResolveIgnoreLinkInfo\"=dword:00000001\n\"NoResolveSearch\"=dword:00000001\n"
    "\"NoResolveTrack\"=dword:00000001\n",
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n"
    "\"NoResolveTrack\"=\"1\"\n",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer]\n",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\"
    "NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}]\n@=\"Printers\"\n",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer]"
    "\n",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
    "\"EnableLUA\"=dword:00000001\n\"ConsentPromptBehaviorAdmin\"=dword:00000005\n",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
    "\"EnableLUA\"=dword:00000000\n",
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]\n"
    "\"WaitToKillServiceTimeout\"=\"20000\"\n",
    "[HKEY_CLASSES_ROOT\\runas]\n[HKEY_CLASSES_ROOT\\Open With Notepad]\n"
    "[HKEY_LOCAL_MACHINE\\RemoteComputer]\n",
};

// A snapshot of some of the pieces, each with an even chance.
inline std::string RandomTweakState(std::mt19937& random) {
  std::string state = "Windows Registry Editor Version 5.00\n";
  for (const char* piece : kTweakStatePieces) {
    if (random() % 2 == 0) state += piece;
  }
  return state;
}

}  // namespace quillmark::testing
