#include "win32/main_window.h"

#include <algorithm>
#include <utility>

#include "app/main_window_layout.h"
#include "core/application_title.h"
#include "win32/child_window.h"
#include "win32/control_ids.h"
#include "win32/creation_failure.h"
#include "win32/dpi_scale.h"
#include "win32/main_button_picture.h"
#include "win32/memo_tab_key.h"
#include "win32/object_window_proc.h"
#include "win32/resources/resource_ids.h"

namespace quillmark::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// sbtbtn1 to sbtbtn6, in the order of kMainButtons.
struct ButtonHandlers {
  TForm1::Handler click, enter, leave;
};
constexpr std::array<ButtonHandlers, 6> kButtonHandlers = {{
    {&TForm1::sbtbtn1Click, &TForm1::sbtbtn1MouseEnter, &TForm1::sbtbtn1MouseLeave},
    {&TForm1::sbtbtn2Click, &TForm1::sbtbtn2MouseEnter, &TForm1::sbtbtn2MouseLeave},
    {&TForm1::sbtbtn3Click, &TForm1::sbtbtn3MouseEnter, &TForm1::sbtbtn3MouseLeave},
    {&TForm1::sbtbtn4Click, &TForm1::sbtbtn4MouseEnter, &TForm1::sbtbtn4MouseLeave},
    {&TForm1::sbtbtn5Click, &TForm1::sbtbtn5MouseEnter, &TForm1::sbtbtn5MouseLeave},
    {&TForm1::sbtbtn6Click, &TForm1::sbtbtn6MouseEnter, &TForm1::sbtbtn6MouseLeave},
}};

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
  SetLastError(ERROR_SUCCESS);
  if (!CreateWindowExA(kExStyle, kMainWindowClass, kApplicationTitle, kStyle, left, top, width,
                       height, nullptr, nullptr, instance, this))
    ThrowCreationFailure("The main window");
  try {
    CreateControls(instance);
  } catch (...) {
    // Half made: it goes without its handlers, so that its end asks nothing of this object.
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(window_, nullptr));
    throw;
  }
}

Win32MainWindow::~Win32MainWindow() {
  form_ = nullptr;
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

HWND Win32MainWindow::Child(HWND made) {
  if (!made) ThrowCreationFailure("The main window's controls");
  SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return made;
}

void Win32MainWindow::CreateControls(HINSTANCE instance) {
  // Children are made in tab order, which is the order Tab visits them.
  memo_window_ =
      Child(CreateChildWindow(instance, window_, kIdMmo1, ScaledBounds(kMmo1Placement, dpi_),
                              "EDIT", "", WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_READONLY));
  memo_ = std::make_unique<Win32Memo>(memo_window_);
  PassTabOn(memo_window_);

  HWND list = Child(CreateChildWindow(
      instance, window_, kIdLv1, ScaledBounds(kLv1Placement, dpi_), WC_LISTVIEWA, "",
      WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER));
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
  controls_.Add(*list_, false);

  std::array<int, 6> order = {0, 1, 2, 3, 4, 5};
  std::sort(order.begin(), order.end(), [](int a, int b) {
    return kMainButtons[a].placement.tab_order < kMainButtons[b].placement.tab_order;
  });
  for (int index : order) {
    const MainButton& button = kMainButtons[index];
    const ButtonHandlers& handlers = kButtonHandlers[index];
    HWND handle = Child(buttons_[index].Create(instance, window_, kIdSbtbtn1 + index,
                                               ScaledBounds(button.placement, dpi_), button.caption,
                                               WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
                                               {[this, handlers] { Forward(handlers.click); },
                                                [this, handlers] { Forward(handlers.enter); },
                                                [this, handlers] { Forward(handlers.leave); }}));
    pictures_[index] = PutPictureAboveCaption(handle, instance, button.picture);
  }
  for (PushButton& button : buttons_) controls_.Add(button, true);
  controls_.Add(surface_, true);

  // Caption labels sized to their text, their bottoms on their controls' tops.
  for (auto [text, id, placement] : {std::tuple{kLv1Label, kIdLv1Label, kLv1Placement},
                                     std::tuple{kMmo1Label, kIdMmo1Label, kMmo1Placement}}) {
    const SIZE size = TextSize(window_, font_.get(), text);
    const int height_at_96 = MulDiv(size.cy, 96, dpi_);
    const ControlPlacement label =
        BoundLabelPlacement(placement, MulDiv(size.cx, 96, dpi_) + 1, height_at_96);
    // SS_NOTIFY: the pointer over a label is off the window's own surface.
    Child(CreateChildWindow(instance, window_, id, ScaledBounds(label, dpi_), "STATIC", text,
                            SS_LEFT | SS_NOTIFY));
  }

  // The bar places and sizes itself.
  HWND bar = CreateChildWindow(instance, window_, kIdStsbr1, RECT{}, STATUSCLASSNAMEA, "", 0);
  if (!bar) ThrowCreationFailure("The main window's controls");
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
    case WM_COMMAND:
    case WM_NOTIFY:
      if (LRESULT result = 0; controls_.Route(window, message, w, l, result)) return result;
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) == memo_window_) {
        HDC dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(info_brush_.get());
      }
      break;
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

}  // namespace quillmark::win32
