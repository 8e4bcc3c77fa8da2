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
  Tick(0, reg->ReadText("") == kCopyToHandler);
  reg->CloseCurrent();
  reg->OpenAsCurrent(kMoveTo, false);
  Tick(1, reg->ReadText("") == kMoveToHandler);
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
      Tick(2, false);
      reg->CloseCurrent();
      return;
    }
  }
  reg->CloseCurrent();
  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kControl, true);
  Tick(2, reg->ReadText(kWaitToKillServiceTimeout) != kTimeoutDefault);
  reg->CloseCurrent();
}

void TweakEngine::GetMenuShowSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kDesktop, false);
  Tick(3, reg->ReadText(kMenuShowDelay) == kMenuShowDelayShort);
  reg->CloseCurrent();
}

void TweakEngine::GeltLowDiskSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kExplorerPolicies, false);
  Tick(4, reg->ValuePresent(kNoLowDiskSpaceChecks) && reg->ReadNumber(kNoLowDiskSpaceChecks) == 1);
  reg->CloseCurrent();
}

void TweakEngine::GetShortCutSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kExplorerPolicies, false);
  for (const char* name : {kLinkResolveIgnoreLinkInfo, kNoResolveSearch, kNoResolveTrack}) {
    if (!reg->ValuePresent(name) || reg->ReadNumber(name) != 1) {
      Tick(5, false);
      reg->CloseCurrent();
      return;
    }
    Tick(5, true);
  }
  reg->CloseCurrent();
}

void TweakEngine::GetInternetOpenWithSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kExplorerPolicies, false);
  Tick(6, reg->ValuePresent(kNoInternetOpenWith) && reg->ReadNumber(kNoInternetOpenWith) == 1);
  reg->CloseCurrent();
}

void TweakEngine::GetOwnershipSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  const auto stop = [&] {
    Tick(7, false);
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
    Tick(7, true);
    if (!reg->ValuePresent(kNoWorkingDirectory)) return stop();
    reg->CloseCurrent();
    reg->OpenAsCurrent(verb.command_key, true);
    if (reg->ReadText("") != verb.command) return stop();
    if (reg->ReadText(kIsolatedCommand) != verb.command) return stop();
    reg->CloseCurrent();
  }
  Tick(7, true);
}

void TweakEngine::GetNetworkPrintersSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kExplorer, false);
  if (!reg->KeyPresent(kRemoteComputerName)) {
    Tick(8, true);
  } else {
    reg->CloseCurrent();
    reg->OpenAsCurrent(kRemoteComputer, false);
    Tick(8, !reg->KeyPresent(kNameSpaceName));
  }
  reg->CloseCurrent();
}

void TweakEngine::GetCommandPSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kFolderShell, false);
  Tick(9, reg->KeyPresent(kCommandPromptHereName));
  reg->CloseCurrent();
}

void TweakEngine::GetOpenNotepadSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kFileShell, false);
  Tick(10, reg->KeyPresent(kOpenWithNotepadName));
  reg->CloseCurrent();
}

void TweakEngine::GetDeleteFolderContentSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);
  reg->OpenAsCurrent(kFolderShell, false);
  Tick(11, reg->KeyPresent(kDeleteFolderContentName));
  reg->CloseCurrent();
}

void TweakEngine::GetMouseHoverTimeSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kMouse, true);
  Tick(12, reg->ValuePresent(kMouseHoverTime) &&
               reg->ReadText(kMouseHoverTime) == kMouseHoverTimeShort);
  reg->CloseCurrent();
}

void TweakEngine::GetUACSettings() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kSystemPolicies, true);
  Tick(13, reg->ReadNumber(kEnableLUA) == 0);
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
