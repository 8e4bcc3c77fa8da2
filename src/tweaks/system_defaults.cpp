// Defaults: removes every tweak and writes the system default values, whatever the rows say.
#include "tweaks/tweak_engine.h"
#include "tweaks/tweak_engine_operation.h"
#include "tweaks/tweak_keys.h"

namespace quillmark {

using namespace keys;

void TweakEngine::WriteSystemDefaults() {
  Operation reg(*this);
  reg->SelectRoot(RootKey::ClassesRoot);

  bool opened = reg->OpenAsCurrent(kContextMenuHandlers, false);
  RemoveSubkeyOfOpenedKey(opened, kCopyToName, false);
  RemoveSubkeyOfOpenedKey(opened, kMoveToName, false);
  reg->CloseCurrent();

  opened = reg->OpenAsCurrent(kFileShell, false);
  RemoveSubkeyOfOpenedKey(opened, kRunasName, false);
  RemoveSubkeyOfOpenedKey(opened, kOpenWithNotepadName, false);
  reg->CloseCurrent();

  opened = reg->OpenAsCurrent(kFolderShell, false);
  RemoveSubkeyOfOpenedKey(opened, kRunasName, false);
  reg->WriteText("", kFolderShellDefault);
  RemoveSubkeyOfOpenedKey(opened, kCommandPromptHereName, false);
  RemoveSubkeyOfOpenedKey(opened, kDeleteFolderContentName, false);
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::LocalMachine);
  reg->OpenAsCurrent(kControl, false);
  reg->WriteText(kWaitToKillServiceTimeout, kTimeoutDefault);
  reg->CloseCurrent();

  reg->OpenAsCurrent(kPrintersNameSpace, true);
  reg->WriteText("", kPrinters);
  reg->CloseCurrent();

  reg->OpenAsCurrent(kSystemPolicies, true);
  reg->WriteNumber(kEnableLUA, 1);
  reg->WriteNumber(kConsentPromptBehaviorAdmin, 1);
  reg->CloseCurrent();

  reg->SelectRoot(RootKey::CurrentUser);
  reg->OpenAsCurrent(kDesktop, false);
  reg->WriteText(kAutoEndTasks, kAutoEndTasksOff);
  reg->WriteText(kHungAppTimeout, kTimeoutDefault);
  reg->WriteText(kMenuShowDelay, kDelayDefault);
  reg->WriteText(kWaitToKillAppTimeout, kTimeoutDefault);
  reg->WriteText(kLowLevelHooksTimeout, kTimeoutDefault);
  reg->CloseCurrent();

  reg->OpenAsCurrent(kExplorerPolicies, false);
  for (const char* name : {kNoLowDiskSpaceChecks, kLinkResolveIgnoreLinkInfo, kNoResolveSearch,
                           kNoResolveTrack, kNoInternetOpenWith}) {
    reg->WriteNumber(name, 0);
  }
  reg->CloseCurrent();

  reg->OpenAsCurrent(kMouse, true);
  reg->WriteText(kMouseHoverTime, kDelayDefault);
  reg->CloseCurrent();
}

}  // namespace quillmark
