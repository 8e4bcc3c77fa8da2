#include "app/message_dialog_presentation.h"

namespace quillmark {

DialogPresentation PresentDialog(DialogKind kind, unsigned buttons) {
  DialogPresentation shown{};
  switch (kind) {
    case DialogKind::Error:
      shown.title = "Error";
      shown.task_dialog_icon = shown.classic_icon = DialogIcon::Error;
      break;
    case DialogKind::Information:
      shown.title = "Information";
      shown.task_dialog_icon = shown.classic_icon = DialogIcon::Information;
      break;
    case DialogKind::Confirmation:
      shown.title = "Confirm";
      shown.task_dialog_icon = DialogIcon::Information;
      shown.classic_icon = DialogIcon::Question;
      break;
  }
  if (buttons & kButtonYes) shown.buttons.push_back({"&Yes", kDialogYes});
  if (buttons & kButtonNo) shown.buttons.push_back({"&No", kDialogNo});
  if (buttons & kButtonOk) shown.buttons.push_back({"OK", kDialogOk});
  shown.default_result = (buttons & kButtonOk) ? kDialogOk : kDialogYes;
  shown.classic_escape_result = (buttons & kButtonNo) ? kDialogNo : kDialogOk;
  return shown;
}

}  // namespace quillmark
