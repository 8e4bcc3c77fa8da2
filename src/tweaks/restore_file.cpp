#include "tweaks/restore_file.h"

#include "fileio/output_text_file.h"
#include "fileio/unfinished_file.h"
#include "regfile/registry_script_lines.h"
#include "registry/key_path.h"
#include "tweaks/tweak_keys.h"

namespace quillmark {

namespace {

using namespace keys;

std::string Path(RootKey root, const char* key) { return FullKeyPath(root, KeyNames(key)); }

}  // namespace

std::vector<std::string> RestoreFileLines() {
  constexpr RootKey kCR = RootKey::ClassesRoot;
  constexpr RootKey kCU = RootKey::CurrentUser;
  constexpr RootKey kLM = RootKey::LocalMachine;
  return {
      std::string(kRegistryScriptHeader),
      "",
      ";Created by Fernhollow: Quillmark",
      "",
      RemovedKeyLine(Path(kCR, kCopyTo)),
      "",
      RemovedKeyLine(Path(kCR, kMoveTo)),
      "",
      KeyLine(Path(kCU, kDesktop)),
      ValueLine(kAutoEndTasks, TextValue(kAutoEndTasksOff)),
      ValueLine(kHungAppTimeout, TextValue(kTimeoutDefault)),
      ValueLine(kMenuShowDelay, TextValue(kDelayDefault)),
      ValueLine(kWaitToKillAppTimeout, TextValue(kTimeoutDefault)),
      ValueLine(kLowLevelHooksTimeout, TextValue(kTimeoutDefault)),
      "",
      KeyLine(Path(kCU, kMouse)),
      ValueLine(kMouseHoverTime, TextValue(kDelayDefault)),
      "",
      // LinkResolveIgnoreLinkInfo is not among them: the file has always left it as it is.
      KeyLine(Path(kCU, kExplorerPolicies)),
      ValueLine(kNoLowDiskSpaceChecks, DwordValue(0)),
      ValueLine(kNoResolveSearch, DwordValue(0)),
      ValueLine(kNoResolveTrack, DwordValue(0)),
      ValueLine(kNoInternetOpenWith, DwordValue(0)),
      "",
      KeyLine(Path(kLM, kControl)),
      ValueLine(kWaitToKillServiceTimeout, TextValue(kTimeoutDefault)),
      "",
      KeyLine(Path(kLM, kPrintersNameSpace)),
      ValueLine("", TextValue(kPrinters)),
      "",
      KeyLine(Path(kLM, kSystemPolicies)),
      ValueLine(kEnableLUA, DwordValue(1)),
      ValueLine(kConsentPromptBehaviorAdmin, DwordValue(1)),
      "",
      RemovedKeyLine(Path(kCR, kFileRunas)),
      "",
      RemovedKeyLine(Path(kCR, kOpenWithNotepad)),
      "",
      RemovedKeyLine(Path(kCR, kFolderRunas)),
      "",
      KeyLine(Path(kCR, kFolderShell)),
      ValueLine("", TextValue(kFolderShellDefault)),
      "",
      RemovedKeyLine(Path(kCR, kCommandPromptHere)),
      "",
      RemovedKeyLine(Path(kCR, kDeleteFolderContent)),
  };
}

void WriteRestoreFile(FileApi& files, const std::string& path) {
  OutputTextFile file(files);
  file.BindName(path);
  file.OpenForWriting();
  CheckIoResult();
  UnfinishedFile unfinished(file);
  for (const std::string& line : RestoreFileLines()) {
    file.PutString(line);
    file.PutLineEnd();
    CheckIoResult();
  }
  file.CloseFile();
  CheckIoResult();
  unfinished.Finished();
}

}  // namespace quillmark
