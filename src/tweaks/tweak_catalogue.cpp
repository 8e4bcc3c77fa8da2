#include "tweaks/tweak_catalogue.h"

#include "tweaks/tweak_keys.h"

namespace quillmark {

namespace {

using namespace keys;
constexpr RootKey kCR = RootKey::ClassesRoot;
constexpr RootKey kCU = RootKey::CurrentUser;
constexpr RootKey kLM = RootKey::LocalMachine;

constexpr FootprintItem kCopyToItems[] = {{kCR, kCopyTo, nullptr}};
constexpr FootprintItem kMoveToItems[] = {{kCR, kMoveTo, nullptr}};
constexpr FootprintItem kEndTasksItems[] = {
    {kCU, kDesktop, kAutoEndTasks},
    {kCU, kDesktop, kHungAppTimeout},
    {kCU, kDesktop, kWaitToKillAppTimeout},
    {kCU, kDesktop, kLowLevelHooksTimeout},
    {kLM, kControl, kWaitToKillServiceTimeout},
};
constexpr FootprintItem kMenuShowItems[] = {{kCU, kDesktop, kMenuShowDelay}};
constexpr FootprintItem kLowDiskItems[] = {{kCU, kExplorerPolicies, kNoLowDiskSpaceChecks}};
constexpr FootprintItem kShortCutItems[] = {
    {kCU, kExplorerPolicies, kLinkResolveIgnoreLinkInfo},
    {kCU, kExplorerPolicies, kNoResolveSearch},
    {kCU, kExplorerPolicies, kNoResolveTrack},
};
constexpr FootprintItem kInternetOpenWithItems[] = {{kCU, kExplorerPolicies, kNoInternetOpenWith}};
constexpr FootprintItem kOwnershipItems[] = {
    {kCR, kFileRunas, nullptr},
    {kCR, kFolderRunas, nullptr},
};
constexpr FootprintItem kNetworkPrintersItems[] = {{kLM, kRemoteComputer, nullptr}};
constexpr FootprintItem kCommandPromptItems[] = {{kCR, kCommandPromptHere, nullptr}};
constexpr FootprintItem kOpenNotepadItems[] = {{kCR, kOpenWithNotepad, nullptr}};
constexpr FootprintItem kDeleteFolderContentItems[] = {{kCR, kDeleteFolderContent, nullptr}};
constexpr FootprintItem kMouseHoverItems[] = {{kCU, kMouse, kMouseHoverTime}};
constexpr FootprintItem kUacItems[] = {
    {kLM, kSystemPolicies, kEnableLUA},
    {kLM, kSystemPolicies, kConsentPromptBehaviorAdmin},
};
constexpr FootprintItem kSharedItems[] = {{kCR, kFolderShell, ""}};

}  // namespace

const std::array<TweakRow, kTweakCount> kTweakRows = {{
    {Tweak::CopyTo, "Add \"Copy To\" option in files and folders context menu (right click)",
     "Adds \"Copy To...\" option in files and folders context menu (right click), so that you can "
     "easily copy them to other locations",
     kCopyToItems},
    {Tweak::MoveTo, "Add \"Move To\" option in files and folders context menu (right click)",
     "Adds \"Move To...\" option in files and folders context menu (right click), so that you can "
     "easily move them to other locations",
     kMoveToItems},
    {Tweak::EndTasks, "Automatically end task of programs which are hanged",
     "Sets Windows to automatically end task of programs which are either hanged or taking longer "
     "time than expected to exit",
     kEndTasksItems},
    {Tweak::MenuShowDelay, "Decrease menus show delay time",
     "Decreases menus show delay time, it'll show the sub-menus fast when you select their parent "
     "menu",
     kMenuShowItems},
    {Tweak::LowDiskCheck, "Disable the low disk space check",
     "Disables the low disk space check so that you don't get the annoying low disk space "
     "notification in system tray",
     kLowDiskItems},
    {Tweak::ShortcutSearch, "Disable searching for a program which no longer exists",
     "Sets Windows to not waste time in searching for a program which no longer exists in your "
     "system when you try to open its shortcut",
     kShortCutItems},
    {Tweak::InternetOpenWith, "Disable \"search on Internet\" prompt in \"Open with...\"",
     "Disables \"search on Internet\" prompt in \"Open with\" window so that it directly opens the "
     "program list",
     kInternetOpenWithItems},
    {Tweak::TakeOwnership,
     "Add \"Take Ownership\" option in files and folders context menu (right click)",
     "Adds \"Take Ownership\" option in files and folders context menu so that you can easily take "
     "ownership of files and folders in case you want to replace them for customization purpose",
     kOwnershipItems},
    {Tweak::NetworkPrinters, "Speed up the Explorer navigation",
     "Speeds up Windows 7 by disabling network printers and scheduled tasks on Windows ",
     kNetworkPrintersItems},
    {Tweak::CommandPromptHere, "Add \"Command Prompt Here\" in folders context menu (right click)",
     "Adds \"Command Prompt Here\" option on folders context menu (right click) for a quick "
     "command prompt opening at the selected folder",
     kCommandPromptItems},
    {Tweak::OpenWithNotepad, "Add \"Open With Notepad\" in files context menu (right click)",
     "Adds \"Open With Notepad\" option on files context menu (right click) for a quick viewing of "
     "files content",
     kOpenNotepadItems},
    {Tweak::DeleteFolderContent,
     "Add \"Delete Folder Content\" option in folders context menu (right click)",
     "Adds \"Delete Folder Content\" option on folders context menu (right click) to quick delete "
     "only the content of a folder without accessing the folder",
     kDeleteFolderContentItems},
    {Tweak::MouseHoverTime, "Speed up Taskbar Thumbnail Preview",
     "Speeds up taskbar thumbnail preview by reducing the mouse hover time delay",
     kMouseHoverItems},
    {Tweak::Uac, "Disable UAC (User Account Control)",
     "Disables (Turn Off) Annoying UAC (User Account Control) and suppress UAC consent prompt "
     "dialog",
     kUacItems},
}};

const std::span<const FootprintItem> kSharedFootprint = kSharedItems;

std::vector<FootprintItem> OwnedFootprint() {
  std::vector<FootprintItem> items;
  for (const TweakRow& row : kTweakRows)
    items.insert(items.end(), row.footprint.begin(), row.footprint.end());
  items.insert(items.end(), kSharedFootprint.begin(), kSharedFootprint.end());
  return items;
}

}  // namespace quillmark
