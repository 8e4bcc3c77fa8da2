// The tweak engine: fills the tweak list, reads each tweak's state from the registry into its
// check box, writes the ticked selection, and writes the system defaults. Every operation makes
// its own registry object, keeps it in Reg while it runs and frees it at the end, also when a
// registry failure ends the operation; nothing here catches a failure.
#pragma once

#include <memory>

#include "registry/registry_api.h"
#include "registry/tregistry.h"
#include "tweaks/text_memo.h"
#include "tweaks/tweak_catalogue.h"
#include "tweaks/tweak_list.h"

namespace quillmark {

class TweakEngine {
 public:
  TweakEngine(RegistryApi& store, TweakList& lv1, TextMemo& mmo1);

  // Appends the fourteen rows, once, at start-up.
  void SetLvItems();
  // Shows the selected row's information text; with no row selected the memo stays as it is.
  void SetInformtionMemo();

  // The probes, each setting its row or rows from the registry.
  void GetCopyAndMoveSettings();
  void GetEndTasksSettings();
  void GetMenuShowSettings();
  void GeltLowDiskSettings();
  void GetShortCutSettings();
  void GetInternetOpenWithSettings();
  void GetOwnershipSettings();
  void GetNetworkPrintersSettings();
  void GetCommandPSettings();
  void GetOpenNotepadSettings();
  void GetDeleteFolderContentSettings();
  void GetMouseHoverTimeSettings();
  void GetUACSettings();
  // All thirteen probes in the full probe order.
  void ProbeAll();

  // Makes the registry match the check boxes of all fourteen rows.
  void SetTweaks();
  // Removes every tweak and writes the system default values, whatever the boxes say.
  void WriteSystemDefaults();

  // The shared registry variable: the registry object of the operation under way, if any.
  const TRegistry* Reg() const { return reg_.get(); }

 private:
  class Operation;

  bool Ticked(Tweak tweak) const { return lv1_.Checked(RowOf(tweak)); }
  void Tick(Tweak tweak, bool ticked) { lv1_.SetChecked(RowOf(tweak), ticked); }
  // Deletes a subkey of the key just opened, if it exists. When that key could not be opened
  // the bare name would resolve against the root key, outside the tweaks' keys: nothing then.
  void RemoveSubkeyOfOpenedKey(bool opened, const char* name, bool test_first);

  RegistryApi& store_;
  TweakList& lv1_;
  TextMemo& mmo1_;
  std::unique_ptr<TRegistry> reg_;
};

}  // namespace quillmark
