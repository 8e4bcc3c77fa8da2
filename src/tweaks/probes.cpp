// The thirteen probes. Each reads its tweak's keys with a registry object of its own and ticks
// or unticks its row; opening with creation, where a probe does it, creates a missing key.
#include "tweaks/tweak_engine.h"
#include "tweaks/tweak_engine_operation.h"
#include "tweaks/tweak_keys.h"

namespace quillmark {

using namespace keys;

void TweakEngine::GetCopyAndMoveSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kCopyTo, false);
  Tick(Tweak::CopyTo, reg->ReadText("") == kCopyToHandler);
  reg->CloseCurrent();
  reg->OpenAsCurrent(kMoveTo, false);
  Tick(Tweak::MoveTo, reg->ReadText("") == kMoveToHandler);
  reg->CloseCurrent();
}

void TweakEngine::GetEndTasksSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kDesktop, false);
  // Each desktop value must exist and differ from the off state of the system defaults.
  const std::pair<const char*, const char*> tests[] = {
      {kAutoEndTasks, kAutoEndTasksOff},
      {kHungAppTimeout, kTimeoutDefault},
      {kWaitToKillAppTimeout, kTimeoutDefault},
      {kLowLevelHooksTimeout, kTimeoutDefault},
  };
  for (const auto& [name, off] : tests) {
    if (!reg->ValuePresent(name) || reg->ReadText(name) == off) {
      Tick(Tweak::EndTasks, false);
      reg->CloseCurrent();
      return;
    }
  }
  reg->CloseCurrent();
  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kControl, true);
  Tick(Tweak::EndTasks, reg->ReadText(kWaitToKillServiceTimeout) != kTimeoutDefault);
  reg->CloseCurrent();
}

void TweakEngine::GetMenuShowSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kDesktop, false);
  Tick(Tweak::MenuShowDelay, reg->ReadText(kMenuShowDelay) == kMenuShowDelayShort);
  reg->CloseCurrent();
}

void TweakEngine::GeltLowDiskSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kExplorerPolicies, false);
  Tick(Tweak::LowDiskCheck,
       reg->ValuePresent(kNoLowDiskSpaceChecks) && reg->ReadNumber(kNoLowDiskSpaceChecks) == 1);
  reg->CloseCurrent();
}

void TweakEngine::GetShortCutSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kExplorerPolicies, false);
  for (const char* name : {kLinkResolveIgnoreLinkInfo, kNoResolveSearch, kNoResolveTrack}) {
    if (!reg->ValuePresent(name) || reg->ReadNumber(name) != 1) {
      Tick(Tweak::ShortcutSearch, false);
      reg->CloseCurrent();
      return;
    }
    Tick(Tweak::ShortcutSearch, true);
  }
  reg->CloseCurrent();
}

void TweakEngine::GetInternetOpenWithSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kExplorerPolicies, false);
  Tick(Tweak::InternetOpenWith,
       reg->ValuePresent(kNoInternetOpenWith) && reg->ReadNumber(kNoInternetOpenWith) == 1);
  reg->CloseCurrent();
}

void TweakEngine::GetOwnershipSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  const auto stop = [&] {
    Tick(Tweak::TakeOwnership, false);
    reg->CloseCurrent();
  };
  // Files, then folders: the verb key with its caption, then its command key.
  const struct {
    const char* verb;
    const char* command_key;
    const char* command;
  } verbs[] = {
      {kFileRunas, kFileRunasCommandProbed, kFileTakeOwnershipCommand},
      {kFolderRunas, kFolderRunasCommandProbed, kFolderTakeOwnershipCommand},
  };
  for (const auto& verb : verbs) {
    reg->OpenAsCurrent(verb.verb, true);
    if (reg->ReadText("") != kTakeOwnership) return stop();
    Tick(Tweak::TakeOwnership, true);
    if (!reg->ValuePresent(kNoWorkingDirectory)) return stop();
    reg->CloseCurrent();
    reg->OpenAsCurrent(verb.command_key, true);
    if (reg->ReadText("") != verb.command) return stop();
    if (reg->ReadText(kIsolatedCommand) != verb.command) return stop();
    reg->CloseCurrent();
  }
  Tick(Tweak::TakeOwnership, true);
}

void TweakEngine::GetNetworkPrintersSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kExplorer, false);
  if (!reg->KeyPresent(kRemoteComputerName)) {
    Tick(Tweak::NetworkPrinters, true);
  } else {
    reg->CloseCurrent();
    reg->OpenAsCurrent(kRemoteComputer, false);
    Tick(Tweak::NetworkPrinters, !reg->KeyPresent(kNameSpaceName));
  }
  reg->CloseCurrent();
}

void TweakEngine::GetCommandPSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kFolderShell, false);
  Tick(Tweak::CommandPromptHere, reg->KeyPresent(kCommandPromptHereName));
  reg->CloseCurrent();
}

void TweakEngine::GetOpenNotepadSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kFileShell, false);
  Tick(Tweak::OpenWithNotepad, reg->KeyPresent(kOpenWithNotepadName));
  reg->CloseCurrent();
}

void TweakEngine::GetDeleteFolderContentSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kFolderShell, false);
  Tick(Tweak::DeleteFolderContent, reg->KeyPresent(kDeleteFolderContentName));
  reg->CloseCurrent();
}

void TweakEngine::GetMouseHoverTimeSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kMouse, true);
  Tick(Tweak::MouseHoverTime, reg->ValuePresent(kMouseHoverTime) &&
                                  reg->ReadText(kMouseHoverTime) == kMouseHoverTimeShort);
  reg->CloseCurrent();
}

void TweakEngine::GetUACSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kSystemPolicies, true);
  Tick(Tweak::Uac, reg->ReadNumber(kEnableLUA) == 0);
  reg->CloseCurrent();
}

void TweakEngine::ProbeAll() {
  GetCopyAndMoveSettings();
  GetEndTasksSettings();
  GetMenuShowSettings();
  GeltLowDiskSettings();
  GetShortCutSettings();
  GetInternetOpenWithSettings();
  GetOwnershipSettings();
  GetNetworkPrintersSettings();
  GetCommandPSettings();
  GetOpenNotepadSettings();
  GetDeleteFolderContentSettings();
  GetMouseHoverTimeSettings();
  GetUACSettings();
}

}  // namespace quillmark
