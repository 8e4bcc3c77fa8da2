// The main window's logic: its creation handler with the system gate, the handlers of its
// buttons, list and surface, and the close-time reminder. The Win32 layer forwards each window
// message to one of these through Dispatch and draws; the flows live here.
#pragma once

#include <string>

#include "app/shell_controls.h"
#include "registry/registry_api.h"
#include "sysinfo/operating_system_info.h"
#include "tweaks/tweak_engine.h"

namespace quillmark {

class TForm1 {
 public:
  using Handler = void (TForm1::*)();

  // identification: the start-up identification's results, which Info1 publishes.
  TForm1(RegistryApi& registry, const MainWindowControls& controls,
         const IdentificationResults& identification);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Runs a handler; a failure that ends it is reported in the error box and goes no further.
  // True when the handler ran to its end.
  bool Dispatch(Handler handler);

  void FormCreate();
  void lv1Change();
  void sbtbtn1Click();  // Apply
  void sbtbtn2Click();  // Close
  void sbtbtn3Click();  // Refresh View
  void sbtbtn4Click();  // About...
  void sbtbtn5Click();  // Export...
  void sbtbtn6Click();  // Defaults
  void sbtbtn1MouseEnter();
  void sbtbtn2MouseEnter();
  void sbtbtn3MouseEnter();
  void sbtbtn4MouseEnter();
  void sbtbtn5MouseEnter();
  void sbtbtn6MouseEnter();
  void sbtbtn1MouseLeave();
  void sbtbtn2MouseLeave();
  void sbtbtn3MouseLeave();
  void sbtbtn4MouseLeave();
  void sbtbtn5MouseLeave();
  void sbtbtn6MouseLeave();
  void FormMouseLeave();
  // Every close request, and Windows asking whether the session may end; never vetoes.
  void FormCloseQuery();
  void GeneralInfoText();

  TOperatingSystemInfo Info1;

 private:
  void ShowHoverText(int button);
  bool Confirmed(const char* question);

  MainWindowControls controls_;
  TweakEngine engine_;
  // The save dialog proposes the last chosen name again.
  std::string export_file_name_;
};

}  // namespace quillmark
