// The main window's logic: its creation handler with the system gate, and the handlers that
// run the tweak engine and report in the memo and the status bar.
#pragma once

#include "app/shell_controls.h"
#include "platform/registry_api.h"
#include "sysinfo/operating_system_info.h"
#include "tweaks/tweak_engine.h"

namespace quillmark {

class TForm1 {
 public:
  // identification: the start-up identification's results, which Info1 publishes.
  TForm1(RegistryApi& registry, const MainWindowControls& controls,
         const IdentificationResults& identification);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  void FormCreate();
  void lv1Change();
  void GeneralInfoText();

  TOperatingSystemInfo Info1;

 private:
  MainWindowControls controls_;
  TweakEngine engine_;
};

}  // namespace quillmark
