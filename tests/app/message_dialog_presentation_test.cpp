// What the message dialog shows for each kind and set of buttons.
#include <gtest/gtest.h>

#include <string>

#include "app/message_dialog_presentation.h"

namespace quillmark::testing {
namespace {

std::string Buttons(const DialogPresentation& shown) {
  std::string text;
  for (const DialogButtonFace& button : shown.buttons)
    text +=
        std::string(text.empty() ? "" : " ") + button.caption + "=" + std::to_string(button.result);
  return text;
}

TEST(MessageDialogPresentation, TitlesIconsButtonsDefaultsAndEscape) {
  struct Case {
    DialogKind kind;
    unsigned buttons;
    const char* title;
    DialogIcon task_icon;
    DialogIcon classic_icon;
    const char* faces;
    int default_result;
    int escape_result;
  };
  const Case cases[] = {
      {DialogKind::Error, kButtonOk, "Error", DialogIcon::Error, DialogIcon::Error, "OK=1", 1, 1},
      {DialogKind::Information, kButtonOk, "Information", DialogIcon::Information,
       DialogIcon::Information, "OK=1", 1, 1},
      {DialogKind::Confirmation, kButtonYes | kButtonNo, "Confirm", DialogIcon::Information,
       DialogIcon::Question, "&Yes=6 &No=7", 6, 7},
      {DialogKind::Confirmation, kButtonOk | kButtonNo | kButtonYes, "Confirm",
       DialogIcon::Information, DialogIcon::Question, "&Yes=6 &No=7 OK=1", 1, 7},
      {DialogKind::Information, kButtonYes | kButtonOk, "Information", DialogIcon::Information,
       DialogIcon::Information, "&Yes=6 OK=1", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faces);
    const DialogPresentation shown = PresentDialog(c.kind, c.buttons);
    EXPECT_STREQ(shown.title, c.title);
    EXPECT_EQ(shown.task_dialog_icon, c.task_icon);
    EXPECT_EQ(shown.classic_icon, c.classic_icon);
    EXPECT_EQ(Buttons(shown), c.faces);
    EXPECT_EQ(shown.default_result, c.default_result);
    EXPECT_EQ(shown.classic_escape_result, c.escape_result);
  }
}

}  // namespace
}  // namespace quillmark::testing
