#include "win32/about_box_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/effect_label.h"
#include "support/project_version.h"
#include "support/recording_failure_box.h"
#include "win32/control_ids.h"
#include "win32/handles.h"
#include "win32/timer_script.h"
#include "win32/window_text.h"

namespace quillmark::win32 {
namespace {

using testing::ScriptStep;
using testing::TimerScript;

constexpr char kAddress[] = "http://www.fernhollow.example/";
constexpr char kOwnerClass[] = "QuillmarkAboutBoxTestOwner";

class RecordingShellOpen final : public ShellOpen {
 public:
  void Open(const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

UniqueWindow CreateOwner() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kOwnerClass;
  RegisterClassExA(&window_class);
  UniqueWindow owner(CreateWindowExA(0, kOwnerClass, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                     20, 500, 400, nullptr, nullptr, instance, nullptr));
  SetForegroundWindow(owner.get());
  return owner;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child) {
  RECT bounds;
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

POINT CentreOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return ScreenPoint(window, client.right / 2, client.bottom / 2);
}

// Real pointer input, so that the system sends the moves and the leave notifications.
void MovePointerTo(POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void PostClick(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void PostKey(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// 0x00RRGGBB, as in PixelImage.
Pixel SystemColour(int index) {
  const COLORREF colour = GetSysColor(index);
  return ToPixel({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
}

int Channel(Pixel pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// What the window shows in its client area now.
PixelImage Capture(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  PixelImage image{client.right, client.bottom, {}};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top-down, as PixelImage
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDc source(window);
  UniqueBitmap bitmap(CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc copy(CreateCompatibleDC(source.get()));
  if (!bitmap || !copy || !bits) return image;
  {
    SelectedObject bitmap_in_copy(copy.get(), bitmap.get());
    BitBlt(copy.get(), 0, 0, image.width, image.height, source.get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  const auto* pixels = static_cast<const Pixel*>(bits);
  for (int i = 0; i < image.width * image.height; ++i)
    image.pixels.push_back(pixels[i] & 0x00FFFFFF);
  return image;
}

class AboutBoxTest : public ::testing::Test {
 protected:
  AboutBoxTest()
      : owner_(CreateOwner()), box_(GetModuleHandleA(nullptr), owner_.get(), shell_, failures_) {}

  HWND Box() const { return box_.Handle(); }
  HWND Panel() const { return GetDlgItem(Box(), kIdPanel1); }
  HWND Ok() const { return GetDlgItem(Box(), kIdSBitBtn1); }
  HWND InPanel(int id) const { return GetDlgItem(Panel(), id); }
  bool ShownWithFocusOnOk() const { return IsWindowVisible(Box()) && GetFocus() == Ok(); }

  // Shows the box modally while the steps run; if one waits in vain, the box is closed.
  void ShowWhile(std::vector<ScriptStep> steps) {
    TimerScript script(std::move(steps), [this] { PostMessageA(Box(), WM_CLOSE, 0, 0); });
    box_.ShowModal();
    EXPECT_TRUE(script.Done()) << "never got past: " << script.WaitingFor();
  }

  RecordingShellOpen shell_;
  RecordingFailureBox failures_;
  UniqueWindow owner_;
  Win32AboutBox box_;
};

TEST_F(AboutBoxTest, IsCreatedHiddenOwnedByTheMainWindowWithADialogFrame) {
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_EQ(GetWindow(Box(), GW_OWNER), owner_.get());
  EXPECT_EQ(ClassOf(Box()), "TAboutBox");
  EXPECT_EQ(WindowText(Box()), QUILLMARK_PROJECT_TITLE);

  RECT client;
  GetClientRect(Box(), &client);
  // At 96 DPI, as Wine's prefix reports; 144 DPI is the HighDpi tests'.
  EXPECT_EQ(client.right, 298);
  EXPECT_EQ(client.bottom, 274);

  const auto style = static_cast<DWORD>(GetWindowLongPtrA(Box(), GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(Box(), GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), DWORD{WS_CAPTION | WS_SYSMENU});
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0u);
  EXPECT_TRUE(ex_style & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(ex_style & WS_EX_APPWINDOW);
}

struct Placement {
  const char* name;
  int id;
  bool in_panel;
  RECT at_96_dpi;    // left, top, right, bottom
  const char* text;  // nullptr: not looked at
};

TEST_F(AboutBoxTest, ControlsSitAtTheirPlacesWithTheirTexts) {
  const Placement placements[] = {
      {"Panel1", kIdPanel1, false, {9, 8, 290, 226}, nullptr},
      {"ShadowLabel1", kIdShadowLabel1, true, {3, 13, 276, 45}, "Quillmark"},
      {"Copyright", kIdCopyright, true, {3, 45, 276, 58}, nullptr},
      {"sLabel1", kIdSLabel1, true, {3, 62, 276, 75}, "Windows 7 Tweak Utility"},
      {"Comments", kIdComments, true, {3, 81, 276, 94}, "www.fernhollow.example"},
      {"Image1", kIdImage1, true, {71, 104, 216, 209}, nullptr},
      {"sBitBtn1", kIdSBitBtn1, false, {117, 232, 192, 265}, "OK"},
  };
  for (const Placement& placement : placements) {
    SCOPED_TRACE(placement.name);
    HWND control = placement.in_panel ? InPanel(placement.id) : GetDlgItem(Box(), placement.id);
    ASSERT_NE(control, nullptr);
    const RECT bounds = RectInParent(control);
    const RECT& expected = placement.at_96_dpi;
    EXPECT_EQ(bounds.left, expected.left);
    EXPECT_EQ(bounds.top, expected.top);
    EXPECT_EQ(bounds.right, expected.right);
    EXPECT_EQ(bounds.bottom, expected.bottom);
    if (placement.text) {
      EXPECT_EQ(WindowText(control), placement.text);
    }
  }
  EXPECT_FALSE(WindowText(InPanel(kIdCopyright)).empty());

  // Tab order: the panel, then OK, the one control that takes the focus; Enter presses it.
  EXPECT_EQ(GetWindow(Box(), GW_CHILD), Panel());
  EXPECT_EQ(GetWindow(Panel(), GW_HWNDNEXT), Ok());
  const auto ok_style = static_cast<DWORD>(GetWindowLongPtrA(Ok(), GWL_STYLE));
  EXPECT_EQ(ok_style & BS_TYPEMASK, DWORD{BS_DEFPUSHBUTTON});
  EXPECT_TRUE(ok_style & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongPtrA(Panel(), GWL_STYLE) & WS_TABSTOP);
}

struct Closing {
  const char* name;
  void (*close)(HWND box, HWND focus);
  int result;
};

class AboutBoxClosingTest : public AboutBoxTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(AboutBoxClosingTest, ReturnsHidesAndGivesTheOwnerBack) {
  bool owner_disabled_while_shown = false;
  ShowWhile({{"the box shown with the focus on OK", [this] { return ShownWithFocusOnOk(); },
              [&] {
                owner_disabled_while_shown = !IsWindowEnabled(owner_.get());
                GetParam().close(Box(), GetFocus());
              }}});
  EXPECT_EQ(box_.ModalResult(), GetParam().result);
  EXPECT_TRUE(owner_disabled_while_shown);
  EXPECT_TRUE(IsWindow(Box())) << "hidden, not destroyed";
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_TRUE(IsWindowEnabled(owner_.get()));
  EXPECT_EQ(GetActiveWindow(), owner_.get());
}

INSTANTIATE_TEST_SUITE_P(
    EachWay, AboutBoxClosingTest,
    ::testing::Values(
        Closing{"OkClicked",
                [](HWND box, HWND) { PostMessageA(GetDlgItem(box, kIdSBitBtn1), BM_CLICK, 0, 0); },
                kDialogOk},
        Closing{"Enter", [](HWND, HWND focus) { PostKey(focus, VK_RETURN); }, kDialogOk},
        Closing{"CloseRequest", [](HWND box, HWND) { PostMessageA(box, WM_CLOSE, 0, 0); },
                kDialogClosed},
        Closing{"CloseBox", [](HWND box, HWND) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); },
                kDialogClosed}),
    [](const ::testing::TestParamInfo<Closing>& info) { return std::string(info.param.name); });

TEST_F(AboutBoxTest, EscapeLeavesTheBoxOpenUntilTheCloseBox) {
  ShowWhile({{"the box shown with the focus on OK", [this] { return ShownWithFocusOnOk(); },
              [] { PostKey(GetFocus(), VK_ESCAPE); }},
             // Posted keys are taken before the next timer tick.
             {"the box still shown after Escape", [this] { return IsWindowVisible(Box()) != 0; },
              [this] { PostMessageA(Box(), WM_SYSCOMMAND, SC_CLOSE, 0); }}});
  EXPECT_EQ(box_.ModalResult(), kDialogClosed);
}

TEST_F(AboutBoxTest, FirstShowingIsCentredAndTheNextKeepsWhereItWasLeft) {
  RECT first = {};
  ShowWhile({{"the first showing", [this] { return IsWindowVisible(Box()) != 0; },
              [&] {
                GetWindowRect(Box(), &first);
                SetWindowPos(Box(), nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                PostMessageA(Box(), WM_CLOSE, 0, 0);
              }}});
  EXPECT_LE(std::abs((first.left + first.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs((first.top + first.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);

  RECT second = {};
  ShowWhile({{"the second showing", [this] { return IsWindowVisible(Box()) != 0; },
              [&] {
                GetWindowRect(Box(), &second);
                PostMessageA(Box(), WM_CLOSE, 0, 0);
              }}});
  EXPECT_EQ(second.left, 37);
  EXPECT_EQ(second.top, 41);
  EXPECT_EQ(second.right - second.left, first.right - first.left);
  EXPECT_EQ(second.bottom - second.top, first.bottom - first.top);
}

TEST_F(AboutBoxTest, PointerOverTheLinkTurnsItBlueWithAHandAndLeavingTurnsItBlack) {
  const LinkControl& comments = box_.Comments();
  const LinkControl& image1 = box_.Image1();
  EXPECT_FALSE(comments.TextColour().has_value()) << "the window-text colour until a hover";
  EXPECT_EQ(comments.Cursor(), CursorKind::Default);

  auto blue_with_hand = [&] {
    return comments.TextColour() == Rgb{0, 0, 255} && comments.Cursor() == CursorKind::Hand;
  };
  auto black_with_arrow = [&] {
    return comments.TextColour() == Rgb{0, 0, 0} && comments.Cursor() == CursorKind::Default;
  };
  // Inside the box, left of OK: neither the link nor the picture.
  auto away = [this] { return ScreenPoint(Box(), 4, 250); };
  bool hand_shown = false;
  bool picture_changed_only_its_cursor = false;
  ShowWhile({
      {"the box shown", [this] { return IsWindowVisible(Box()) != 0; },
       [&] { MovePointerTo(CentreOf(comments.Handle())); }},
      {"the link blue with the hand cursor", blue_with_hand,
       [&] {
         hand_shown = GetCursor() == LoadCursor(nullptr, IDC_HAND);
         MovePointerTo(away());
       }},
      {"the link black with the arrow", black_with_arrow,
       [&] { MovePointerTo(CentreOf(image1.Handle())); }},
      {"the picture with the hand cursor", [&] { return image1.Cursor() == CursorKind::Hand; },
       [&] {
         picture_changed_only_its_cursor = black_with_arrow() && !image1.TextColour();
         MovePointerTo(away());
       }},
      {"the picture with the arrow", [&] { return image1.Cursor() == CursorKind::Default; },
       [this] { PostMessageA(Box(), WM_CLOSE, 0, 0); }},
  });
  EXPECT_TRUE(hand_shown);
  EXPECT_TRUE(picture_changed_only_its_cursor);
  EXPECT_TRUE(black_with_arrow()) << "kept while hidden";
}

TEST_F(AboutBoxTest, ClickingTheLinkOrThePictureOpensTheAddressNotTheCaption) {
  bool open_after_clicks = false;
  ShowWhile({
      {"the box shown", [this] { return IsWindowVisible(Box()) != 0; },
       [this] { PostClick(InPanel(kIdComments)); }},
      {"the link's click", [this] { return shell_.opened.size() == 1; },
       [this] { PostClick(InPanel(kIdImage1)); }},
      {"the picture's click", [this] { return shell_.opened.size() == 2; },
       [&] {
         open_after_clicks = IsWindowVisible(Box()) != 0;
         PostMessageA(Box(), WM_CLOSE, 0, 0);
       }},
  });
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{kAddress, kAddress}));
  EXPECT_NE(WindowText(InPanel(kIdComments)), kAddress);
  EXPECT_TRUE(open_after_clicks);
}

TEST_F(AboutBoxTest, TitleIsWhiteTextOverADarkerShadowInsideADoubleBevel) {
  PixelImage label;
  PixelImage panel;
  ShowWhile({{"the box shown", [this] { return IsWindowVisible(Box()) != 0; },
              [&] {
                RedrawWindow(Box(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                label = Capture(InPanel(kIdShadowLabel1));
                panel = Capture(Panel());
                PostMessageA(Box(), WM_CLOSE, 0, 0);
              }}});
  ASSERT_GT(label.width, 0);
  ASSERT_GT(panel.width, 0);

  const Pixel face = SystemColour(COLOR_BTNFACE);

  constexpr Pixel kWhite = 0xFFFFFF;
  // How much darker than the panel, averaged over the channels; text pixels are not counted.
  struct Darkness {
    int sum = 0;
    int count = 0;
    void Add(Pixel pixel, Pixel face) {
      if (pixel == kWhite) return;
      int channels = 0;
      for (int shift : {0, 8, 16}) channels += Channel(face, shift) - Channel(pixel, shift);
      sum += channels / 3;
      ++count;
    }
    int Mean() const { return count ? sum / count : 0; }
  };
  int white = 0;
  int left = label.width;
  int right = -1;
  Darkness below_right;
  Darkness above_left;
  for (int y = 0; y < label.height; ++y) {
    for (int x = 0; x < label.width; ++x) {
      if (label.At(x, y) != kWhite) continue;
      ++white;
      left = std::min(left, x);
      right = std::max(right, x);
      // Two pixels away diagonally, past the text's smoothed edge.
      if (x + 2 < label.width && y + 2 < label.height)
        below_right.Add(label.At(x + 2, y + 2), face);
      if (x >= 2 && y >= 2) above_left.Add(label.At(x - 2, y - 2), face);
    }
  }
  EXPECT_GE(white, 50) << "the text's core is white";
  // The shadow is cast down and to the right: darker there than the panel, and than above-left.
  EXPECT_GE(below_right.count, 20);
  EXPECT_GE(below_right.Mean(), 48);
  EXPECT_GE(below_right.Mean(), above_left.Mean() + 24);
  EXPECT_LE(std::abs((left + right + 1) - label.width), 4) << "centred";
  // Far from the text the panel shows through, all but unchanged.
  for (int shift : {0, 8, 16}) {
    EXPECT_LE(std::abs(Channel(label.At(0, label.height - 1), shift) - Channel(face, shift)), 1);
    EXPECT_LE(std::abs(Channel(label.At(label.width - 1, label.height - 1), shift) -
                       Channel(face, shift)),
              1);
  }

  // Outer bevel lowered (shadow, then highlight at the far sides), inner raised.
  const Pixel shadow = SystemColour(COLOR_BTNSHADOW);
  const Pixel highlight = SystemColour(COLOR_BTNHIGHLIGHT);
  const int w = panel.width;
  const int h = panel.height;
  const int mx = w / 2;
  const int my = h / 2;
  EXPECT_EQ(panel.At(0, my), shadow);
  EXPECT_EQ(panel.At(1, my), highlight);
  EXPECT_EQ(panel.At(2, my), face);
  EXPECT_EQ(panel.At(w - 1, my), highlight);
  EXPECT_EQ(panel.At(w - 2, my), shadow);
  EXPECT_EQ(panel.At(mx, 0), shadow);
  EXPECT_EQ(panel.At(mx, 1), highlight);
  EXPECT_EQ(panel.At(mx, 2), face);
  EXPECT_EQ(panel.At(mx, h - 1), highlight);
  EXPECT_EQ(panel.At(mx, h - 2), shadow);
}

}  // namespace
}  // namespace quillmark::win32
