// The classic box's layout, measured on the real window against the dialog units of its font.
#include "win32/classic_message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/shell_texts.h"
#include "win32/control_ids.h"
#include "win32/dialog_answering.h"
#include "win32/handles.h"
#include "win32/message_dialog.h"
#include "win32/test_windows.h"

namespace quillmark::win32 {
namespace {

using testing::ChildrenOfClass;
using testing::ClientRectIn;
using testing::DialogAnswerer;

// A quarter of the average letter width, an eighth of the character height.
struct Units {
  int average_width = 0;
  int height = 0;
  int X(int units) const { return MulDiv(units, average_width, 4); }
  int Y(int units) const { return MulDiv(units, height, 8); }
};

struct IconSeen {
  HICON picture = nullptr;
  int width = 0;
  int height = 0;
};

IconSeen ReadIcon(HWND control) {
  IconSeen seen;
  seen.picture = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
  ICONINFO info{};
  if (seen.picture && GetIconInfo(seen.picture, &info)) {
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    seen.width = mask.bmWidth;
    // A monochrome icon keeps its AND and XOR masks one above the other.
    seen.height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  return seen;
}

struct LayoutSeen {
  std::string window_class;
  RECT window{};
  RECT client{};
  RECT icon{};
  IconSeen icon_picture;
  RECT text{};
  std::string text_shown;
  std::vector<RECT> buttons;
  std::vector<std::string> button_captions;
  LOGFONTA font{};
  Units units;
  // The height the text needs at the width it was given.
  int text_height_needed = 0;
  int line_height = 0;
};

LayoutSeen MeasureLayout(HWND dialog) {
  LayoutSeen seen;
  seen.window_class = testing::WindowClass(dialog);
  GetWindowRect(dialog, &seen.window);
  GetClientRect(dialog, &seen.client);
  HWND icon = GetDlgItem(dialog, kIdClassicIcon);
  HWND text = GetDlgItem(dialog, kIdClassicText);
  seen.icon = ClientRectIn(icon, dialog);
  seen.icon_picture = ReadIcon(icon);
  seen.text = ClientRectIn(text, dialog);
  seen.text_shown = testing::WindowText(text);
  std::vector<HWND> buttons = ChildrenOfClass(dialog, "Button");
  std::sort(buttons.begin(), buttons.end(), [dialog](HWND a, HWND b) {
    return ClientRectIn(a, dialog).left < ClientRectIn(b, dialog).left;
  });
  for (HWND button : buttons) {
    seen.buttons.push_back(ClientRectIn(button, dialog));
    seen.button_captions.push_back(testing::WindowText(button));
  }

  const auto font = reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0));
  GetObjectA(font, sizeof(seen.font), &seen.font);
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectedObject selected(dc.get(), font);
  SIZE letters{};
  GetTextExtentPoint32A(dc.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                        &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  seen.units = {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
  seen.line_height = metrics.tmHeight;
  RECT needed{0, 0, seen.text.right - seen.text.left, 0};
  DrawTextA(dc.get(), seen.text_shown.c_str(), -1, &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  seen.text_height_needed = needed.bottom;
  return seen;
}

std::string LongText() {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "Every tweak can be undone with the Defaults button. ";
  return text;
}

struct LayoutCase {
  const char* name;
  DialogKind kind;
  unsigned buttons;
  std::string text;
  LPCSTR system_icon;
  std::vector<std::string> captions;
};

const LayoutCase kLayoutCases[] = {
    {"ShortQuestion",
     DialogKind::Confirmation,
     kButtonYes | kButtonNo,
     kApplyQuestion,
     IDI_QUESTION,
     {"&Yes", "&No"}},
    {"TwoLineReminder", DialogKind::Information, kButtonOk, kRestartReminder, IDI_ASTERISK, {"OK"}},
    {"LongError",
     DialogKind::Error,
     kButtonYes | kButtonNo | kButtonOk,
     LongText(),
     IDI_HAND,
     {"&Yes", "&No", "OK"}},
    {"RowWiderThanText",
     DialogKind::Confirmation,
     kButtonYes | kButtonNo | kButtonOk,
     "Go?",
     IDI_QUESTION,
     {"&Yes", "&No", "OK"}},
};

class ClassicLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ClassicLayoutTest, PlacesIconTextAndButtonsInDialogUnitsOfTheMessageFont) {
  const LayoutCase& layout = GetParam();
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  Win32MessageDialog dialog(application.get(), DialogForm::Classic);
  const std::string title = layout.kind == DialogKind::Error         ? "Error"
                            : layout.kind == DialogKind::Information ? "Information"
                                                                     : "Confirm";
  LayoutSeen seen;
  DialogAnswerer answerer(title, kClassicDialogClass, [&](HWND window) {
    seen = MeasureLayout(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(dialog.Show(layout.kind, layout.text, layout.buttons), kDialogClosed);
  ASSERT_TRUE(answerer.Finish());

  // The font is the system's message font.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  EXPECT_STREQ(seen.font.lfFaceName, metrics.lfMessageFont.lfFaceName);
  EXPECT_EQ(seen.font.lfHeight, metrics.lfMessageFont.lfHeight);
  const Units& du = seen.units;
  ASSERT_GT(du.average_width, 0);
  ASSERT_GT(du.height, 0);

  // The 32 by 32 system icon of the kind, at the top left inside the margins.
  EXPECT_EQ(seen.icon.left, du.X(8));
  EXPECT_EQ(seen.icon.top, du.Y(8));
  EXPECT_EQ(seen.icon.right - seen.icon.left, 32);
  EXPECT_EQ(seen.icon.bottom - seen.icon.top, 32);
  EXPECT_EQ(seen.icon_picture.picture, LoadIconA(nullptr, layout.system_icon));
  EXPECT_EQ(seen.icon_picture.width, 32);
  EXPECT_EQ(seen.icon_picture.height, 32);

  // The text right of the icon, wrapped within half the screen, and all of it visible.
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_EQ(seen.text_shown, layout.text);
  EXPECT_EQ(seen.text.left, seen.icon.right + du.X(10));
  EXPECT_EQ(seen.text.top, du.Y(8));
  EXPECT_GT(seen.text.right, seen.text.left);
  EXPECT_LE(seen.text.right - seen.text.left, screen_width / 2);
  EXPECT_LE(seen.text_height_needed, seen.text.bottom - seen.text.top);

  // One row of buttons 50 by 14, 4 apart, under the taller of icon and text, centred.
  EXPECT_EQ(seen.button_captions, layout.captions);
  ASSERT_EQ(seen.buttons.size(), layout.captions.size());
  const int row_top = std::max<int>(seen.icon.bottom, seen.text.bottom) + du.Y(10);
  for (size_t i = 0; i < seen.buttons.size(); ++i) {
    const RECT& button = seen.buttons[i];
    EXPECT_EQ(button.right - button.left, du.X(50)) << "button " << i;
    EXPECT_EQ(button.bottom - button.top, du.Y(14)) << "button " << i;
    EXPECT_EQ(button.top, row_top) << "button " << i;
    if (i > 0) {
      EXPECT_EQ(button.left - seen.buttons[i - 1].right, du.X(4)) << "button " << i;
    }
  }
  const int left_room = seen.buttons.front().left;
  const int right_room = seen.client.right - seen.buttons.back().right;
  EXPECT_LE(std::abs(left_room - right_room), 1);
  EXPECT_EQ(seen.client.bottom - seen.buttons.back().bottom, du.Y(8));
  // No wider than the text or the row of buttons needs, with the margins.
  const int row_width = seen.buttons.back().right - seen.buttons.front().left;
  EXPECT_EQ(seen.client.right, std::max<int>(seen.text.right + du.X(8), row_width + 2 * du.X(8)));

  // Centred on the screen.
  const int width = seen.window.right - seen.window.left;
  const int height = seen.window.bottom - seen.window.top;
  EXPECT_LE(std::abs(seen.window.left - (screen_width - width) / 2), 1);
  EXPECT_LE(std::abs(seen.window.top - (GetSystemMetrics(SM_CYSCREEN) - height) / 2), 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, ClassicLayoutTest, ::testing::ValuesIn(kLayoutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClassicWrapTest, LongTextWrapsToUseHalfTheScreen) {
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  Win32MessageDialog dialog(application.get(), DialogForm::Classic);
  LayoutSeen seen;
  DialogAnswerer answerer("Error", kClassicDialogClass, [&](HWND window) {
    seen = MeasureLayout(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  dialog.Show(DialogKind::Error, LongText(), kButtonOk);
  ASSERT_TRUE(answerer.Finish());

  const int half_screen = GetSystemMetrics(SM_CXSCREEN) / 2;
  EXPECT_GE(seen.text.bottom - seen.text.top, 3 * seen.line_height);
  // Wrapped lines fill the width allowed to within a word or two.
  EXPECT_GT(seen.text.right - seen.text.left, half_screen * 3 / 4);
}

}  // namespace
}  // namespace quillmark::win32
