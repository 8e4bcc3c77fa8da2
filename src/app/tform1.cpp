#include "app/tform1.h"

#include "app/main_window_layout.h"
#include "app/shell_texts.h"
#include "sysinfo/system_gate.h"
#include "tweaks/restart_flag.h"
#include "tweaks/restore_file.h"

namespace quillmark {

TForm1::TForm1(RegistryApi& registry, const MainWindowControls& controls,
               const IdentificationResults& identification)
    : Info1(identification),
      controls_(controls),
      engine_(registry, controls.lv1, controls.mmo1),
      export_file_name_(kExportInitialName) {
  controls_.stsbr1.SetText(kStatusRunning);
  controls_.lv1.SetOnChange([this] { lv1Change(); });
}

bool TForm1::Dispatch(Handler handler) {
  return ReportFailures(controls_.failure_box, [&] { (this->*handler)(); });
}

void TForm1::FormCreate() {
  Info1.Refresh();
  if (!SystemGatePasses(Info1)) {
    controls_.dialog.Show(DialogKind::Error, kGateMessage, kButtonOk);
    controls_.application.Terminate();
    return;
  }
  restart_recommended = 0;
  engine_.SetLvItems();
  engine_.ProbeAll();
  GeneralInfoText();
}

void TForm1::lv1Change() { engine_.SetInformtionMemo(); }

bool TForm1::Confirmed(const char* question) {
  return controls_.dialog.Show(DialogKind::Confirmation, question, kButtonYes | kButtonNo) ==
         kDialogYes;
}

void TForm1::sbtbtn1Click() {
  if (!Confirmed(kApplyQuestion)) return;
  engine_.SetTweaks();
  engine_.ProbeAll();
  controls_.stsbr1.SetText(kStatusApply);
}

void TForm1::sbtbtn2Click() { controls_.window.Close(); }

void TForm1::sbtbtn3Click() {
  engine_.ProbeAll();
  controls_.stsbr1.SetText(kStatusRefresh);
}

void TForm1::sbtbtn4Click() {
  controls_.about_box.ShowModal();
  controls_.stsbr1.SetText(kStatusAbout);
}

void TForm1::sbtbtn5Click() {
  const std::optional<std::string> path =
      controls_.SaveDialog1.Execute(kExportDialog, export_file_name_);
  if (!path) return;
  export_file_name_ = *path;
  WriteRestoreFile(controls_.files, *path);
  controls_.stsbr1.SetText(kStatusExport);
}

void TForm1::sbtbtn6Click() {
  if (!Confirmed(kDefaultsQuestion)) return;
  engine_.WriteSystemDefaults();
  engine_.ProbeAll();
  GeneralInfoText();
  controls_.stsbr1.SetText(kStatusDefaults);
}

void TForm1::ShowHoverText(int button) {
  controls_.mmo1.Clear();
  controls_.mmo1.AddLine(kMainButtons[button].hover_text);
}

void TForm1::sbtbtn1MouseEnter() { ShowHoverText(0); }
void TForm1::sbtbtn2MouseEnter() { ShowHoverText(1); }
void TForm1::sbtbtn3MouseEnter() { ShowHoverText(2); }
void TForm1::sbtbtn4MouseEnter() { ShowHoverText(3); }
void TForm1::sbtbtn5MouseEnter() { ShowHoverText(4); }
void TForm1::sbtbtn6MouseEnter() { ShowHoverText(5); }
void TForm1::sbtbtn1MouseLeave() { GeneralInfoText(); }
void TForm1::sbtbtn2MouseLeave() { GeneralInfoText(); }
void TForm1::sbtbtn3MouseLeave() { GeneralInfoText(); }
void TForm1::sbtbtn4MouseLeave() { GeneralInfoText(); }
void TForm1::sbtbtn5MouseLeave() { GeneralInfoText(); }
void TForm1::sbtbtn6MouseLeave() { GeneralInfoText(); }
void TForm1::FormMouseLeave() { GeneralInfoText(); }

void TForm1::FormCloseQuery() {
  if (restart_recommended == 1)
    controls_.dialog.Show(DialogKind::Information, kRestartReminder, kButtonOk);
}

void TForm1::GeneralInfoText() {
  controls_.mmo1.Clear();
  for (const char* line : kGeneralInfoLines) controls_.mmo1.AddLine(line);
}

}  // namespace quillmark
