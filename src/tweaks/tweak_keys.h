// Every registry key path, value name and value text the tweaks read and write. Paths are
// absolute from their root; several are spelt in more than one way on purpose, because the
// spelling a key is created with is the one it keeps.
#pragma once

namespace quillmark::keys {

// HKEY_CLASSES_ROOT: the "Copy To" and "Move To" context-menu handlers.
inline constexpr const char* kContextMenuHandlers =
    "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\";
inline constexpr const char* kCopyTo =
    "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To";
inline constexpr const char* kMoveTo =
    "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To";
inline constexpr const char* kCopyToName = "Copy To";
inline constexpr const char* kMoveToName = "Move To";
inline constexpr const char* kCopyToHandler = "{C2FBB630-2971-11D1-A18C-00C04FD75D13}";
inline constexpr const char* kMoveToHandler = "{C2FBB631-2971-11D1-A18C-00C04FD75D13}";

// HKEY_CURRENT_USER: desktop time-outs and the menu delay.
inline constexpr const char* kDesktop = "\\Control Panel\\Desktop\\";
inline constexpr const char* kAutoEndTasks = "AutoEndTasks";
inline constexpr const char* kHungAppTimeout = "HungAppTimeout";
inline constexpr const char* kWaitToKillAppTimeout = "WaitToKillAppTimeout";
inline constexpr const char* kLowLevelHooksTimeout = "LowLevelHooksTimeout";
inline constexpr const char* kMenuShowDelay = "MenuShowDelay";

// HKEY_LOCAL_MACHINE: the service shutdown time-out.
inline constexpr const char* kControl = "\\SYSTEM\\CurrentControlSet\\Control\\";
inline constexpr const char* kWaitToKillServiceTimeout = "WaitToKillServiceTimeout";

// HKEY_CURRENT_USER: Explorer policies.
inline constexpr const char* kExplorerPolicies =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
inline constexpr const char* kNoLowDiskSpaceChecks = "NoLowDiskSpaceChecks";
inline constexpr const char* kLinkResolveIgnoreLinkInfo = "LinkResolveIgnoreLinkInfo";
inline constexpr const char* kNoResolveSearch = "NoResolveSearch";
inline constexpr const char* kNoResolveTrack = "NoResolveTrack";
inline constexpr const char* kNoInternetOpenWith = "NoInternetOpenWith";

// HKEY_CLASSES_ROOT: "Take Ownership" for files and for folders.
inline constexpr const char* kFileRunas = "\\*\\shell\\runas\\";
inline constexpr const char* kFileRunasCommandProbed = "\\*\\shell\\runas\\Command";
inline constexpr const char* kFileRunasCommand = "\\*\\shell\\runas\\command";
inline constexpr const char* kFolderRunas = "\\Directory\\shell\\runas";
inline constexpr const char* kFolderRunasCommandProbed = "\\Directory\\shell\\runas\\Command";
inline constexpr const char* kFolderRunasCommand = "\\Directory\\shell\\runas\\command";
inline constexpr const char* kRunasName = "runas";
inline constexpr const char* kTakeOwnership = "Take Ownership";
inline constexpr const char* kNoWorkingDirectory = "NoWorkingDirectory";
inline constexpr const char* kIsolatedCommand = "IsolatedCommand";
inline constexpr const char* kFileTakeOwnershipCommand =
    "cmd.exe /c takeown /f \"%V\" && icacls \"%V\" /grant administrators:F";
inline constexpr const char* kFolderTakeOwnershipCommand =
    "cmd.exe /c takeown /f \"%V\" /r /d y && icacls \"%V\" /grant administrators:F /t";

// HKEY_LOCAL_MACHINE: the printers namespace of remote computers.
inline constexpr const char* kExplorer =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
inline constexpr const char* kRemoteComputerName = "RemoteComputer";
inline constexpr const char* kRemoteComputer =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer";
inline constexpr const char* kNameSpaceName = "NameSpace";
inline constexpr const char* kPrintersNameSpaceBelowExplorer =
    "RemoteComputer\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}";
inline constexpr const char* kPrintersNameSpace =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
    "{863aa9fd-42df-457b-8e4d-0de1b8015c60}";
inline constexpr const char* kPrinters = "Printers";

// HKEY_CLASSES_ROOT: verbs of folders and of files.
inline constexpr const char* kFolderShell = "\\Directory\\shell\\";
inline constexpr const char* kFileShell = "\\*\\shell\\";
inline constexpr const char* kFolderShellDefault = "none";
inline constexpr const char* kCommandPromptHereName = "Command Prompt Here";
inline constexpr const char* kCommandPromptHere = "\\Directory\\shell\\Command Prompt Here";
inline constexpr const char* kCommandPromptHereCommand =
    "\\Directory\\shell\\Command Prompt Here\\command";
inline constexpr const char* kCommandPromptHereText = "cmd.exe /k cd %V";
inline constexpr const char* kOpenWithNotepadName = "Open With Notepad";
inline constexpr const char* kOpenWithNotepad = "\\*\\shell\\Open With Notepad";
inline constexpr const char* kOpenWithNotepadCommand = "\\*\\shell\\Open With Notepad\\command";
inline constexpr const char* kOpenWithNotepadText = "NOTEPAD.EXE %V";
inline constexpr const char* kDeleteFolderContentName = "Delete Folder Content";
inline constexpr const char* kDeleteFolderContent = "\\Directory\\shell\\Delete Folder Content";
inline constexpr const char* kDeleteFolderContentCommand =
    "\\Directory\\shell\\Delete Folder Content\\command";
inline constexpr const char* kDeleteFolderContentText = "cmd /c cd /d \"%1\" && del /s /q *.*";

// HKEY_CURRENT_USER: the thumbnail hover delay.
inline constexpr const char* kMouse = "\\Control Panel\\Mouse\\";
inline constexpr const char* kMouseHoverTime = "MouseHoverTime";

// HKEY_LOCAL_MACHINE: User Account Control.
inline constexpr const char* kSystemPolicies =
    "\\software\\microsoft\\windows\\currentversion\\policies\\system";
inline constexpr const char* kEnableLUA = "EnableLUA";
inline constexpr const char* kConsentPromptBehaviorAdmin = "ConsentPromptBehaviorAdmin";

// Value texts written as strings.
inline constexpr const char* kEmpty = "";
inline constexpr const char* kAutoEndTasksOn = "1";
inline constexpr const char* kAutoEndTasksOff = "0";
inline constexpr const char* kHungAppTimeoutShort = "1000";
inline constexpr const char* kWaitToKillAppTimeoutShort = "2000";
inline constexpr const char* kLowLevelHooksTimeoutShort = "1000";
inline constexpr const char* kWaitToKillServiceTimeoutShort = "2000";
inline constexpr const char* kWaitToKillServiceTimeoutUnticked = "12000";
inline constexpr const char* kTimeoutDefault = "20000";
inline constexpr const char* kMenuShowDelayShort = "8";
inline constexpr const char* kDelayDefault = "400";
inline constexpr const char* kMouseHoverTimeShort = "50";

}  // namespace quillmark::keys
