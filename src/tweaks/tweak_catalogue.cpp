#include "tweaks/tweak_catalogue.h"

#include "tweaks/tweak_keys.h"

namespace quillmark {

namespace {

using namespace keys;
constexpr RootKey kCR = RootKey::ClassesRoot;
constexpr RootKey kCU = RootKey::CurrentUser;
constexpr RootKey kLM = RootKey::LocalMachine;

constexpr FootprintItem kCopyToItems[] = {
    {kCR, kCopyTo, nullptr, "present", "absent"},
    {kCR, kCopyTo, "", kCopyToHandler, "absent"},
};
constexpr FootprintItem kMoveToItems[] = {
    {kCR, kMoveTo, nullptr, "present", "absent"},
    {kCR, kMoveTo, "", kMoveToHandler, "absent"},
};
constexpr FootprintItem kEndTasksItems[] = {
    {kCU, kDesktop, kAutoEndTasks, kAutoEndTasksOn, kAutoEndTasksOff},
    {kCU, kDesktop, kHungAppTimeout, kHungAppTimeoutShort, kTimeoutDefault},
    {kCU, kDesktop, kWaitToKillAppTimeout, kWaitToKillAppTimeoutShort, kTimeoutDefault},
    {kCU, kDesktop, kLowLevelHooksTimeout, kLowLevelHooksTimeoutShort, kTimeoutDefault},
    {kLM, kControl, kWaitToKillServiceTimeout, kWaitToKillServiceTimeoutShort, kTimeoutDefault},
};
constexpr FootprintItem kMenuShowItems[] = {
    {kCU, kDesktop, kMenuShowDelay, kMenuShowDelayShort, kDelayDefault},
};
constexpr FootprintItem kLowDiskItems[] = {
    {kCU, kExplorerPolicies, kNoLowDiskSpaceChecks, "1", "0"},
};
constexpr FootprintItem kShortCutItems[] = {
    {kCU, kExplorerPolicies, kLinkResolveIgnoreLinkInfo, "1", "0"},
    {kCU, kExplorerPolicies, kNoResolveSearch, "1", "0"},
    {kCU, kExplorerPolicies, kNoResolveTrack, "1", "0"},
};
constexpr FootprintItem kInternetOpenWithItems[] = {
    {kCU, kExplorerPolicies, kNoInternetOpenWith, "1", "0"},
};
constexpr FootprintItem kOwnershipItems[] = {
    {kCR, kFileRunas, nullptr, "present", "absent"},
    {kCR, kFileRunas, "", kTakeOwnership, "absent"},
    {kCR, kFileRunas, kNoWorkingDirectory, kEmpty, "absent"},
    {kCR, kFileRunasCommand, "", kFileTakeOwnershipCommand, "absent"},
    {kCR, kFileRunasCommand, kIsolatedCommand, kFileTakeOwnershipCommand, "absent"},
    {kCR, kFolderRunas, nullptr, "present", "absent"},
    {kCR, kFolderRunas, "", kTakeOwnership, "absent"},
    {kCR, kFolderRunas, kNoWorkingDirectory, kEmpty, "absent"},
    {kCR, kFolderRunasCommand, "", kFolderTakeOwnershipCommand, "absent"},
    {kCR, kFolderRunasCommand, kIsolatedCommand, kFolderTakeOwnershipCommand, "absent"},
};
constexpr FootprintItem kNetworkPrintersItems[] = {
    {kLM, kRemoteComputer, nullptr, "absent", "present"},
    {kLM, kPrintersNameSpace, "", "absent", kPrinters},
};
constexpr FootprintItem kCommandPromptItems[] = {
    {kCR, "\\Directory\\shell\\Command Prompt Here", nullptr, "present", "absent"},
    {kCR, kCommandPromptHereCommand, "", kCommandPromptHereText, "absent"},
};
constexpr FootprintItem kOpenNotepadItems[] = {
    {kCR, "\\*\\shell\\Open With Notepad", nullptr, "present", "absent"},
    {kCR, kOpenWithNotepadCommand, "", kOpenWithNotepadText, "absent"},
};
constexpr FootprintItem kDeleteFolderContentItems[] = {
    {kCR, "\\Directory\\shell\\Delete Folder Content", nullptr, "present", "absent"},
    {kCR, kDeleteFolderContentCommand, "", kDeleteFolderContentText, "absent"},
};
constexpr FootprintItem kMouseHoverItems[] = {
    {kCU, kMouse, kMouseHoverTime, kMouseHoverTimeShort, kDelayDefault},
};
constexpr FootprintItem kUacItems[] = {
    {kLM, kSystemPolicies, kEnableLUA, "0", "1"},
    {kLM, kSystemPolicies, kConsentPromptBehaviorAdmin, "0", "1"},
};

}  // namespace

const std::array<TweakRow, kTweakCount> kTweakRows = {{
    {0, "Add \"Copy To\" option in files and folders context menu (right click)",
     "Adds \"Copy To...\" option in files and folders context menu (right click), so that you can "
     "easily copy them to other locations",
     kCopyToItems},
    {1, "Add \"Move To\" option in files and folders context menu (right click)",
     "Adds \"Move To...\" option in files and folders context menu (right click), so that you can "
     "easily move them to other locations",
     kMoveToItems},
    {2, "Automatically end task of programs which are hanged",
     "Sets Windows to automatically end task of programs which are either hanged or taking longer "
     "time than expected to exit",
     kEndTasksItems},
    {3, "Decrease menus show delay time",
     "Decreases menus show delay time, it'll show the sub-menus fast when you select their parent "
     "menu",
     kMenuShowItems},
    {4, "Disable the low disk space check",
     "Disables the low disk space check so that you don't get the annoying low disk space "
     "notification in system tray",
     kLowDiskItems},
    {5, "Disable searching for a program which no longer exists",
     "Sets Windows to not waste time in searching for a program which no longer exists in your "
     "system when you try to open its shortcut",
     kShortCutItems},
    {6, "Disable \"search on Internet\" prompt in \"Open with...\"",
     "Disables \"search on Internet\" prompt in \"Open with\" window so that it directly opens the "
     "program list",
     kInternetOpenWithItems},
    {7, "Add \"Take Ownership\" option in files and folders context menu (right click)",
     "Adds \"Take Ownership\" option in files and folders context menu so that you can easily take "
     "ownership of files and folders in case you want to replace them for customization purpose",
     kOwnershipItems},
    {8, "Speed up the Explorer navigation",
     "Speeds up Windows 7 by disabling network printers and scheduled tasks on Windows ",
     kNetworkPrintersItems},
    {9, "Add \"Command Prompt Here\" in folders context menu (right click)",
     "Adds \"Command Prompt Here\" option on folders context menu (right click) for a quick "
     "command prompt opening at the selected folder",
     kCommandPromptItems},
    {10, "Add \"Open With Notepad\" in files context menu (right click)",
     "Adds \"Open With Notepad\" option on files context menu (right click) for a quick viewing of "
     "files content",
     kOpenNotepadItems},
    {11, "Add \"Delete Folder Content\" option in folders context menu (right click)",
     "Adds \"Delete Folder Content\" option on folders context menu (right click) to quick delete "
     "only the content of a folder without accessing the folder",
     kDeleteFolderContentItems},
    {12, "Speed up Taskbar Thumbnail Preview",
     "Speeds up taskbar thumbnail preview by reducing the mouse hover time delay",
     kMouseHoverItems},
    {13, "Disable UAC (User Account Control)",
     "Disables (Turn Off) Annoying UAC (User Account Control) and suppress UAC consent prompt "
     "dialog",
     kUacItems},
}};

}  // namespace quillmark
