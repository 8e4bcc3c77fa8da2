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
  reg->WriteText("", Ticked(Tweak::CopyTo) ? kCopyToHandler : kEmpty);
  reg->CloseCurrent();
  reg->OpenAsCurrent(kMoveTo, true);
  reg->WriteText("", Ticked(Tweak::MoveTo) ? kMoveToHandler : kEmpty);
  reg->CloseCurrent();

  const char* const desktop_values[] = {kAutoEndTasks, kHungAppTimeout, kWaitToKillAppTimeout,
                                        kLowLevelHooksTimeout};
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kDesktop, true);
  if (Ticked(Tweak::EndTasks)) {
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
  reg->WriteText(kWaitToKillServiceTimeout, Ticked(Tweak::EndTasks)
                                                ? kWaitToKillServiceTimeoutShort
                                                : kWaitToKillServiceTimeoutUnticked);

  reg->SelectRoot(RootKey::CurrentUser);  // closes the service key
  reg->OpenAsCurrent(kDesktop, true);
  reg->WriteText(kMenuShowDelay,
                 Ticked(Tweak::MenuShowDelay) ? kMenuShowDelayShort : kDelayDefault);
  reg->CloseCurrent();

  const struct {
    Tweak tweak;
    std::initializer_list<const char*> names;
  } policies[] = {
      {Tweak::LowDiskCheck, {kNoLowDiskSpaceChecks}},
      {Tweak::ShortcutSearch, {kLinkResolveIgnoreLinkInfo, kNoResolveSearch, kNoResolveTrack}},
      {Tweak::InternetOpenWith, {kNoInternetOpenWith}},
  };
  reg->OpenAsCurrent(kExplorerPolicies, true);
  for (const auto& policy : policies) {
    for (const char* name : policy.names) {
      if (Ticked(policy.tweak)) {
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
    if (Ticked(Tweak::TakeOwnership) && block.is_verb) {
      reg->WriteText("", kTakeOwnership);
      reg->WriteText(kNoWorkingDirectory, kEmpty);
    } else if (Ticked(Tweak::TakeOwnership)) {
      reg->WriteText("", block.command);
      reg->WriteText(kIsolatedCommand, block.command);
    } else if (reg->KeyPresent(block.verb)) {
      reg->RemoveKey(block.verb);
    }
    reg->CloseCurrent();
  }

  struct Verb {
    Tweak tweak;
    const char* command_key;
    const char* command;
    const char* parent;
    const char* name;
  };
  const Verb command_prompt{Tweak::CommandPromptHere, kCommandPromptHereCommand,
                            kCommandPromptHereText, kFolderShell, kCommandPromptHereName};
  const Verb delete_content{Tweak::DeleteFolderContent, kDeleteFolderContentCommand,
                            kDeleteFolderContentText, kFolderShell, kDeleteFolderContentName};
  const Verb notepad{Tweak::OpenWithNotepad, kOpenWithNotepadCommand, kOpenWithNotepadText,
                     kFileShell, kOpenWithNotepadName};
  const auto write_verb = [&](const Verb& verb) {
    if (Ticked(verb.tweak)) {
      reg->OpenAsCurrent(verb.command_key, true);
      reg->WriteText("", verb.command);
    } else {
      RemoveSubkeyOfOpenedKey(reg->OpenAsCurrent(verb.parent, false), verb.name, true);
    }
    reg->CloseCurrent();
  };
  write_verb(command_prompt);
  write_verb(delete_content);

  reg->OpenAsCurrent(kFolderShell, true);
  reg->WriteText("", kFolderShellDefault);
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::LocalMachine);
  const bool explorer_open = reg->OpenAsCurrent(kExplorer, true);
  if (Ticked(Tweak::NetworkPrinters)) {
    RemoveSubkeyOfOpenedKey(explorer_open, kRemoteComputerName, true);
  } else {
    reg->MakeKey(kPrintersNameSpaceBelowExplorer);
    reg->CloseCurrent();
    reg->OpenAsCurrent(kPrintersNameSpace, true);
    reg->WriteText("", kPrinters);
  }
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::ClassesRoot);
  write_verb(notepad);

  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kMouse, true);
  reg->WriteText(kMouseHoverTime,
                 Ticked(Tweak::MouseHoverTime) ? kMouseHoverTimeShort : kDelayDefault);
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kSystemPolicies, true);
  reg->WriteNumber(kEnableLUA, Ticked(Tweak::Uac) ? 0 : 1);
  reg->WriteNumber(kConsentPromptBehaviorAdmin, Ticked(Tweak::Uac) ? 0 : 1);
  reg->CloseCurrent();
}

}  // namespace quillmark
