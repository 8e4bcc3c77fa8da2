#include "win32/main_window.h"

#include <algorithm>
#include <exception>

#include "app/main_window_layout.h"
#include "platform/application_title.h"
#include "win32/control_ids.h"
#include "win32/dpi_scale.h"
#include "win32/main_button_picture.h"
#include "win32/memo_tab_key.h"
#include "win32/object_window_proc.h"
#include "win32/resources/resource_ids.h"

namespace quillmark::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

constexpr std::array<TForm1::Handler, 6> kClicks = {&TForm1::sbtbtn1Click, &TForm1::sbtbtn2Click,
                                                    &TForm1::sbtbtn3Click, &TForm1::sbtbtn4Click,
                                                    &TForm1::sbtbtn5Click, &TForm1::sbtbtn6Click};
constexpr std::array<TForm1::Handler, 6> kEnters = {
    &TForm1::sbtbtn1MouseEnter, &TForm1::sbtbtn2MouseEnter, &TForm1::sbtbtn3MouseEnter,
    &TForm1::sbtbtn4MouseEnter, &TForm1::sbtbtn5MouseEnter, &TForm1::sbtbtn6MouseEnter};
constexpr std::array<TForm1::Handler, 6> kLeaves = {
    &TForm1::sbtbtn1MouseLeave, &TForm1::sbtbtn2MouseLeave, &TForm1::sbtbtn3MouseLeave,
    &TForm1::sbtbtn4MouseLeave, &TForm1::sbtbtn5MouseLeave, &TForm1::sbtbtn6MouseLeave};

void TrackLeave(HWND window) {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

SIZE TextSize(HWND window, HFONT font, const char* text) {
  WindowDc dc(window);
  SelectedObject selected(dc.get(), font);
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &size);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  size.cy = metrics.tmHeight;
  return size;
}

}  // namespace

void Win32MainWindow::RegisterWindowClass(HINSTANCE instance) {
  auto icon = [instance](int width, int height) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUILLMARK), IMAGE_ICON,
                                         GetSystemMetrics(width), GetSystemMetrics(height),
                                         LR_DEFAULTCOLOR | LR_SHARED));
  };
  RegisterObjectClass<Win32MainWindow>(
      instance, kMainWindowClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
      LoadCursor(nullptr, IDC_ARROW), icon(SM_CXICON, SM_CYICON), icon(SM_CXSMICON, SM_CYSMICON));
}

Win32MainWindow::Win32MainWindow(HINSTANCE instance, FailureBoxApi& failure_box)
    : failure_box_(failure_box), dpi_(SystemDpi()) {
  font_.reset(CreatePixelFont("Tahoma", 11, dpi_));
  info_brush_.reset(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
  RECT frame{0, 0, Scale(kMainClientWidth, dpi_), Scale(kMainClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the area all monitors span.
  const int left =
      GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2;
  const int top =
      GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2;
  window_ = CreateWindowExA(kExStyle, kMainWindowClass, kApplicationTitle, kStyle, left, top, width,
                            height, nullptr, nullptr, instance, this);
  CreateControls(instance);
}

Win32MainWindow::~Win32MainWindow() {
  form_ = nullptr;
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

HWND Win32MainWindow::Child(const char* window_class, const char* text, DWORD style, int id,
                            int left, int top, int width, int height, HINSTANCE instance) {
  HWND child =
      CreateWindowExA(0, window_class, text, WS_CHILD | WS_VISIBLE | style, Scale(left, dpi_),
                      Scale(top, dpi_), Scale(width, dpi_), Scale(height, dpi_), window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return child;
}

void Win32MainWindow::CreateControls(HINSTANCE instance) {
  // Children are made in tab order, which is the order Tab visits them.
  memo_window_ = Child("EDIT", "", WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_READONLY, kIdMmo1,
                       kMmo1Placement.left, kMmo1Placement.top, kMmo1Placement.width,
                       kMmo1Placement.height, instance);
  memo_ = std::make_unique<Win32Memo>(memo_window_);
  PassTabOn(memo_window_);

  HWND list = Child(WC_LISTVIEWA, "",
                    WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, kIdLv1,
                    kLv1Placement.left, kLv1Placement.top, kLv1Placement.width,
                    kLv1Placement.height, instance);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
  SendMessageA(list, LVM_SETBKCOLOR, 0, GetSysColor(COLOR_INFOBK));
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, GetSysColor(COLOR_INFOBK));
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(kLv1Column);
  RECT inside{};
  GetClientRect(list, &inside);
  column.cx = inside.right;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  list_ = std::make_unique<Win32TweakList>(list);

  std::array<int, 6> order = {0, 1, 2, 3, 4, 5};
  std::sort(order.begin(), order.end(), [](int a, int b) {
    return kMainButtons[a].placement.tab_order < kMainButtons[b].placement.tab_order;
  });
  for (int index : order) {
    const MainButton& button = kMainButtons[index];
    HWND handle = Child("BUTTON", button.caption, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
                        kIdSbtbtn1 + index, button.placement.left, button.placement.top,
                        button.placement.width, button.placement.height, instance);
    pictures_[index] = PutPictureAboveCaption(handle, instance, button.picture);
    buttons_[index] = handle;
    hover_[index] = {this, index};
    SetWindowSubclass(handle, ButtonProc, 1, reinterpret_cast<DWORD_PTR>(&hover_[index]));
  }

  // Caption labels sized to their text, their bottoms on their controls' tops.
  for (auto [text, id, placement] : {std::tuple{kLv1Label, kIdLv1Label, kLv1Placement},
                                     std::tuple{kMmo1Label, kIdMmo1Label, kMmo1Placement}}) {
    const SIZE size = TextSize(window_, font_.get(), text);
    const int height_at_96 = MulDiv(size.cy, 96, dpi_);
    const ControlPlacement label =
        BoundLabelPlacement(placement, MulDiv(size.cx, 96, dpi_) + 1, height_at_96);
    // SS_NOTIFY: the pointer over a label is off the window's own surface.
    Child("STATIC", text, SS_LEFT | SS_NOTIFY, id, label.left, label.top, label.width, label.height,
          instance);
  }

  HWND bar =
      CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStsbr1)), instance, nullptr);
  status_ = std::make_unique<Win32StatusBar>(bar);
}

void Win32MainWindow::Show(int show_command) {
  const int shown = show_command == SW_SHOWMAXIMIZED     ? SW_SHOWMAXIMIZED
                    : show_command == SW_SHOWMINNOACTIVE ? SW_SHOWMINNOACTIVE
                                                         : SW_SHOWNORMAL;
  ShowWindow(window_, shown);
  UpdateWindow(window_);
  if (shown != SW_SHOWMINNOACTIVE) SetFocus(memo_window_);
}

void Win32MainWindow::Close() { SendMessageA(window_, WM_CLOSE, 0, 0); }

void Win32MainWindow::Terminate() { PostQuitMessage(0); }

void Win32MainWindow::Forward(TForm1::Handler handler) {
  if (form_) form_->Dispatch(handler);
}

LRESULT Win32MainWindow::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const int index = LOWORD(w) - kIdSbtbtn1;
      if (HIWORD(w) == BN_CLICKED && index >= 0 && index < 6) {
        Forward(kClicks[index]);
        return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->idFrom == kIdLv1 && header->code == LVN_ITEMCHANGED && list_) {
        ReportFailures(failure_box_, [&] { list_->Changed(); });
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) == memo_window_) {
        HDC dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(info_brush_.get());
      }
      break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      PointerReported(message == WM_MOUSEMOVE);
      return 0;
    case WM_CLOSE:
      Forward(&TForm1::FormCloseQuery);
      DestroyWindow(window_);
      return 0;
    case WM_QUERYENDSESSION:
      Forward(&TForm1::FormCloseQuery);
      return TRUE;
    case WM_DESTROY:
      form_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

void Win32MainWindow::PointerReported(bool moved) {
  POINT point{};
  GetCursorPos(&point);
  const HWND under = WindowFromPoint(point);
  int place = under == window_ ? kSurface : PointerTracker::kNone;
  for (int index = 0; index < 6; ++index) {
    if (under == buttons_[index]) place = index;
  }
  pointer_.PointerAt(place);
  // The platform reports a leave only once asked to, for one window at a time; asked again at
  // every move, so that a leave reported while the pointer stayed does not end the tracking.
  if (moved && pointer_.Current() != PointerTracker::kNone) {
    TrackLeave(PointerPlace(pointer_.Current()));
  }
}

HWND Win32MainWindow::PointerPlace(int control) const {
  return control == kSurface ? window_ : buttons_[control];
}

void Win32MainWindow::Entered(int control) {
  if (control != kSurface) Forward(kEnters[control]);
}

void Win32MainWindow::Left(int control) {
  Forward(control == kSurface ? &TForm1::FormMouseLeave : kLeaves[control]);
}

LRESULT CALLBACK Win32MainWindow::ButtonProc(HWND button, UINT message, WPARAM w, LPARAM l,
                                             UINT_PTR, DWORD_PTR data) {
  auto* hover = reinterpret_cast<ButtonHover*>(data);
  try {
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
      hover->window->PointerReported(message == WM_MOUSEMOVE);
    } else if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(button, ButtonProc, 1);
    }
  } catch (...) {
  }
  return DefSubclassProc(button, message, w, l);
}

}  // namespace quillmark::win32
