// How the message dialog looks: its titles, icons and buttons, for the task-dialog form and for
// the classic box the program builds itself. The Win32 layer draws from this.
#pragma once

#include <vector>

#include "app/shell_controls.h"

namespace quillmark {

enum class DialogIcon { Error, Information, Question };

struct DialogButtonFace {
  const char* caption;
  int result;
};

struct DialogPresentation {
  const char* title;
  // The task dialog has no question-mark icon: confirmations show the information icon there.
  DialogIcon task_dialog_icon;
  DialogIcon classic_icon;
  // Yes, No, OK in that order, as far as present.
  std::vector<DialogButtonFace> buttons;
  // Pressed by Enter: OK when present, otherwise Yes.
  int default_result;
  // What Escape does in the classic box: No when present, otherwise OK. The task dialog is
  // cancelled by Escape instead, as by its close box.
  int classic_escape_result;
};

DialogPresentation PresentDialog(DialogKind kind, unsigned buttons);

// The classic box's layout, in dialog units of its font.
struct ClassicDialogLayout {
  static constexpr int kMargin = 8;
  static constexpr int kGap = 10;  // icon to text, text to buttons
  static constexpr int kButtonWidth = 50;
  static constexpr int kButtonHeight = 14;
  static constexpr int kButtonSpacing = 4;
  static constexpr int kIconPixels = 32;
};

}  // namespace quillmark
