// The main window and the about box on a 144 DPI screen: every size of the layouts, which are
// pixels at 96 DPI, half again as large. Run in a prefix of their own set to 144 DPI
// (high_dpi_run.sh); the expected places come from the layouts' numbers, scaled here.
#include <windows.h>
//
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/about_box_layout.h"
#include "app/main_window_layout.h"
#include "support/recording_failure_box.h"
#include "win32/about_box_window.h"
#include "win32/control_ids.h"
#include "win32/handles.h"
#include "win32/main_window.h"

namespace quillmark::win32 {
namespace {

// 144/96, rounded to the nearest pixel, halves up.
constexpr int At144Dpi(int pixels_at_96) { return (pixels_at_96 * 144 + 48) / 96; }

// The child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child) {
  RECT bounds{};
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

struct Expected {
  const char* name;
  int id;
  ControlPlacement at_96_dpi;
};

void ExpectClientSize(HWND window, int width_at_96, int height_at_96) {
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, At144Dpi(width_at_96));
  EXPECT_EQ(client.bottom, At144Dpi(height_at_96));
}

void ExpectPlaced(HWND parent, const Expected& control) {
  SCOPED_TRACE(control.name);
  HWND window = GetDlgItem(parent, control.id);
  ASSERT_NE(window, nullptr);
  const RECT bounds = RectInParent(window);
  const ControlPlacement& at = control.at_96_dpi;
  EXPECT_EQ(bounds.left, At144Dpi(at.left));
  EXPECT_EQ(bounds.top, At144Dpi(at.top));
  EXPECT_EQ(bounds.right - bounds.left, At144Dpi(at.width));
  EXPECT_EQ(bounds.bottom - bounds.top, At144Dpi(at.height));
}

TEST(HighDpi, TheScreenReports144Dpi) {
  const WindowDc screen(nullptr);
  ASSERT_NE(screen.get(), nullptr);
  EXPECT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), 144)
      << "run through high_dpi_run.sh, which sets the prefix's LogPixels to 144";
}

TEST(HighDpi, TheMainWindowAndItsControlsAreHalfAgainAsLarge) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Win32MainWindow::RegisterWindowClass(instance);
  RecordingFailureBox box;
  Win32MainWindow window(instance, box);
  ExpectClientSize(window.Handle(), kMainClientWidth, kMainClientHeight);
  ExpectPlaced(window.Handle(), {"lv1", kIdLv1, kLv1Placement});
  ExpectPlaced(window.Handle(), {"mmo1", kIdMmo1, kMmo1Placement});
  for (int index = 0; index < static_cast<int>(kMainButtons.size()); ++index)
    ExpectPlaced(window.Handle(),
                 {kMainButtons[index].caption, kIdSbtbtn1 + index, kMainButtons[index].placement});
  EXPECT_TRUE(box.Events().empty());
}

TEST(HighDpi, TheAboutBoxAndItsControlsAreHalfAgainAsLarge) {
  RecordingFailureBox box;
  Win32AboutBox about(GetModuleHandleA(nullptr), nullptr, box);
  ExpectClientSize(about.Handle(), kAboutClientWidth, kAboutClientHeight);
  ExpectPlaced(about.Handle(), {"Panel1", kIdPanel1, kPanel1Placement});
  ExpectPlaced(about.Handle(), {"sBitBtn1", kIdSBitBtn1, kSBitBtn1Placement});
  HWND panel = GetDlgItem(about.Handle(), kIdPanel1);
  for (const Expected& inside : {Expected{"ShadowLabel1", kIdShadowLabel1, kShadowLabel1Placement},
                                 Expected{"Copyright", kIdCopyright, kCopyrightPlacement},
                                 Expected{"sLabel1", kIdSLabel1, kSLabel1Placement},
                                 Expected{"Comments", kIdComments, kCommentsPlacement},
                                 Expected{"Image1", kIdImage1, kImage1Placement}})
    ExpectPlaced(panel, inside);
  EXPECT_TRUE(box.Events().empty());
}

}  // namespace
}  // namespace quillmark::win32
