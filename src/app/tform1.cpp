#include "app/tform1.h"

#include "app/shell_texts.h"
#include "sysinfo/system_gate.h"
#include "tweaks/restart_flag.h"

namespace quillmark {

TForm1::TForm1(RegistryApi& registry, const MainWindowControls& controls,
               const IdentificationResults& identification)
    : Info1(identification), controls_(controls), engine_(registry, controls.lv1, controls.mmo1) {
  controls_.stsbr1.SetText(kStatusRunning);
  controls_.lv1.SetOnChange([this] { lv1Change(); });
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

void TForm1::GeneralInfoText() {
  controls_.mmo1.Clear();
  for (const char* line : kGeneralInfoLines) controls_.mmo1.AddLine(line);
}

}  // namespace quillmark
