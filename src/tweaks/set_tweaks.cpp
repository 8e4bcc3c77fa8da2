// Apply: writes every tweak from its row's check box, ticked rows in force and unticked rows
// taken back, in one fixed order with one registry object.
#include "tweaks/restart_flag.h"
#include "tweaks/tweak_engine.h"
#include "tweaks/tweak_engine_operation.h"
#include "tweaks/tweak_keys.h"

namespace quillmark {

using namespace keys;

void TweakEngine::SetTweaks() {
  restart_recommended = 1;  // first, so that it stays set whatever fails below
  Operation reg(*this);

  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kCopyTo, true);
  reg->WriteText("", Ticked(0) ? kCopyToHandler : kEmpty);
  reg->CloseCurrent();
  reg->OpenAsCurrent(kMoveTo, true);
  reg->WriteText("", Ticked(1) ? kMoveToHandler : kEmpty);
  reg->CloseCurrent();

  const char* const desktop_values[] = {kAutoEndTasks, kHungAppTimeout, kWaitToKillAppTimeout,
                                        kLowLevelHooksTimeout};
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kDesktop, true);
  if (Ticked(2)) {
    reg->WriteText(kAutoEndTasks, kAutoEndTasksOn);
    reg->WriteText(kHungAppTimeout, kHungAppTimeoutShort);
    reg->WriteText(kWaitToKillAppTimeout, kWaitToKillAppTimeoutShort);
    reg->WriteText(kLowLevelHooksTimeout, kLowLevelHooksTimeoutShort);
  } else {
    for (const char* name : desktop_values) {
      if (reg->ValuePresent(name)) reg->RemoveValue(name);
    }
  }
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kControl, true);
  reg->WriteText(kWaitToKillServiceTimeout,
                 Ticked(2) ? kWaitToKillServiceTimeoutShort : kWaitToKillServiceTimeoutUnticked);

  reg->SelectRoot(RootKey::CurrentUser);  // closes the service key
  reg->OpenAsCurrent(kDesktop, true);
  reg->WriteText(kMenuShowDelay, Ticked(3) ? kMenuShowDelayShort : kDelayDefault);
  reg->CloseCurrent();

  const struct {
    int row;
    std::initializer_list<const char*> names;
  } policies[] = {
      {4, {kNoLowDiskSpaceChecks}},
      {5, {kLinkResolveIgnoreLinkInfo, kNoResolveSearch, kNoResolveTrack}},
      {6, {kNoInternetOpenWith}},
  };
  reg->OpenAsCurrent(kExplorerPolicies, true);
  for (const auto& policy : policies) {
    for (const char* name : policy.names) {
      if (Ticked(policy.row)) {
        reg->WriteNumber(name, 1);
      } else if (reg->ValuePresent(name)) {
        reg->RemoveValue(name);
      }
    }
  }
  reg->CloseCurrent();

  // Take Ownership: the verb key and its command key, for files and then for folders. Unticked,
  // each open re-creates what the deletion before it removed, and the verb key goes again.
  reg->SelectRoot(RootKey::ClassesRoot);
  const struct {
    const char* key;
    const char* verb;
    bool is_verb;
    const char* command;
  } ownership[] = {
      {kFileRunas, kFileRunas, true, nullptr},
      {kFileRunasCommand, kFileRunas, false, kFileTakeOwnershipCommand},
      {kFolderRunas, kFolderRunas, true, nullptr},
      {kFolderRunasCommand, kFolderRunas, false, kFolderTakeOwnershipCommand},
  };
  for (const auto& block : ownership) {
    reg->OpenAsCurrent(block.key, true);
    if (Ticked(7) && block.is_verb) {
      reg->WriteText("", kTakeOwnership);
      reg->WriteText(kNoWorkingDirectory, kEmpty);
    } else if (Ticked(7)) {
      reg->WriteText("", block.command);
      reg->WriteText(kIsolatedCommand, block.command);
    } else if (reg->KeyPresent(block.verb)) {
      reg->RemoveKey(block.verb);
    }
    reg->CloseCurrent();
  }

  const struct {
    int row;
    const char* command_key;
    const char* command;
    const char* parent;
    const char* name;
  } verbs[] = {
      {9, kCommandPromptHereCommand, kCommandPromptHereText, kFolderShell, kCommandPromptHereName},
      {11, kDeleteFolderContentCommand, kDeleteFolderContentText, kFolderShell,
       kDeleteFolderContentName},
      {10, kOpenWithNotepadCommand, kOpenWithNotepadText, kFileShell, kOpenWithNotepadName},
  };
  const auto write_verb = [&](const auto& verb) {
    if (Ticked(verb.row)) {
      reg->OpenAsCurrent(verb.command_key, true);
      reg->WriteText("", verb.command);
    } else {
      RemoveSubkeyOfOpenedKey(reg->OpenAsCurrent(verb.parent, false), verb.name, true);
    }
    reg->CloseCurrent();
  };
  write_verb(verbs[0]);
  write_verb(verbs[1]);

  reg->OpenAsCurrent(kFolderShell, true);
  reg->WriteText("", kFolderShellDefault);
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::LocalMachine);
  const bool explorer_open = reg->OpenAsCurrent(kExplorer, true);
  if (Ticked(8)) {
    RemoveSubkeyOfOpenedKey(explorer_open, kRemoteComputerName, true);
  } else {
    reg->MakeKey(kPrintersNameSpaceBelowExplorer);
    reg->CloseCurrent();
    reg->OpenAsCurrent(kPrintersNameSpace, true);
    reg->WriteText("", kPrinters);
  }
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::ClassesRoot);
  write_verb(verbs[2]);

  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kMouse, true);
  reg->WriteText(kMouseHoverTime, Ticked(12) ? kMouseHoverTimeShort : kDelayDefault);
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kSystemPolicies, true);
  reg->WriteNumber(kEnableLUA, Ticked(13) ? 0 : 1);
  reg->WriteNumber(kConsentPromptBehaviorAdmin, Ticked(13) ? 0 : 1);
  reg->CloseCurrent();
}

}  // namespace quillmark
