#include "win32/about_box_window.h"

#include <initializer_list>
#include <system_error>

#include "app/about_texts.h"
#include "platform/application_title.h"
#include "win32/control_ids.h"
#include "win32/dpi_scale.h"
#include "win32/object_window_proc.h"
#include "win32/resources/resource_ids.h"

namespace quillmark::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A dialog frame; with an owner and without WS_EX_APPWINDOW it has no task-bar button.
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// Pixels at 96 DPI to a rectangle at the system's.
RECT At(int left, int top, int width, int height, int dpi) {
  const int x = Scale(left, dpi);
  const int y = Scale(top, dpi);
  return {x, y, x + Scale(width, dpi), y + Scale(height, dpi)};
}

HWND CreateChild(HINSTANCE instance, HWND parent, const char* window_class, const char* text,
                 DWORD style, int id, const RECT& bounds) {
  return CreateWindowExA(0, window_class, text, WS_CHILD | WS_VISIBLE | style, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void SetFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

[[noreturn]] void Fail(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// The owner is disabled while the box is shown, and the box hidden again, however the loop ends.
class ModalShowing {
 public:
  ModalShowing(HWND box, HWND owner)
      : box_(box),
        owner_(owner),
        disabled_owner_(owner && IsWindow(owner) && IsWindowEnabled(owner)) {
    if (disabled_owner_) EnableWindow(owner_, FALSE);
    ShowWindow(box_, SW_SHOW);
  }
  ModalShowing(const ModalShowing&) = delete;
  ModalShowing& operator=(const ModalShowing&) = delete;
  ~ModalShowing() {
    // The owner first, so that it is the window activated when the box goes.
    if (disabled_owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
    if (IsWindow(box_)) ShowWindow(box_, SW_HIDE);
    if (owner_ && IsWindow(owner_)) SetActiveWindow(owner_);
  }

 private:
  HWND box_;
  HWND owner_;
  bool disabled_owner_;
};

}  // namespace

Win32AboutBox::Win32AboutBox(HINSTANCE instance, HWND owner)
    : Win32AboutBox(instance, owner, nullptr) {}

Win32AboutBox::Win32AboutBox(HINSTANCE instance, HWND owner, ShellOpen& shell)
    : Win32AboutBox(instance, owner, &shell) {}

Win32AboutBox::Win32AboutBox(HINSTANCE instance, HWND owner, ShellOpen* shell)
    : owner_(owner),
      own_shell_(owner),
      comments_(ControlKind::Label, kMakerAddress),
      image1_(ControlKind::Picture, kMakerAddress),
      logic_(comments_, image1_, shell ? *shell : own_shell_) {
  const int dpi = SystemDpi();
  window_font_.reset(CreatePixelFont("MS Sans Serif", 11, dpi));
  title_font_.reset(CreatePixelFont("MS Sans Serif", 19, dpi, true));
  // Missing pictures leave the control empty and the button plain.
  HMODULE module = GetModuleHandleA(nullptr);
  maker_picture_.reset(static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(IDB_MAKER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  check_mark_ = LoadMaskedPicture(module, IDB_CHECK);

  if (!RegisterObjectClass<Win32AboutBox>(instance, kAboutBoxClass,
                                          reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
    Fail("registering the about box's window class");
  RECT frame = {0, 0, Scale(298, dpi), Scale(274, dpi)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  if (!CreateWindowExA(kExStyle, kAboutBoxClass, kApplicationTitle, kStyle, 0, 0,
                       frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance,
                       this))
    Fail("creating the about box");
  if (!CreateControls(instance, dpi)) {
    const DWORD error = GetLastError();
    DestroyWindow(window_);
    SetLastError(error);
    Fail("creating the about box's controls");
  }
  // Not resizable, no minimise or maximise: the system menu offers moving and closing only.
  if (HMENU menu = GetSystemMenu(window_, FALSE))
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
      DeleteMenu(menu, command, MF_BYCOMMAND);
}

Win32AboutBox::~Win32AboutBox() {
  if (window_) DestroyWindow(window_);
}

bool Win32AboutBox::CreateControls(HINSTANCE instance, int dpi) {
  // Created in tab order: the panel first, then the button.
  if (!panel_.Create(instance, window_, kIdPanel1, At(9, 8, 281, 218, dpi))) return false;
  HWND panel = panel_.Handle();
  if (!shadow_label_.Create(instance, panel, kIdShadowLabel1, At(3, 13, 273, 32, dpi),
                            kAboutProductName))
    return false;
  SetFont(shadow_label_.Handle(), title_font_.get());

  HWND copyright = CreateChild(instance, panel, "STATIC", kAboutMakerLine, SS_CENTER | SS_NOPREFIX,
                               kIdCopyright, At(3, 45, 273, 13, dpi));
  HWND description = CreateChild(instance, panel, "STATIC", kAboutDescription,
                                 SS_CENTER | SS_NOPREFIX, kIdSLabel1, At(3, 62, 273, 13, dpi));
  if (!copyright || !description) return false;
  panel_.SetLabelColour(kIdSLabel1, RGB(0, 0, 0));
  SetFont(copyright, window_font_.get());
  SetFont(description, window_font_.get());

  if (!comments_.Create(
          instance, panel, kIdComments, At(3, 81, 273, 13, dpi), kMakerSiteName,
          {[this] { logic_.CommentsMouseMove(); }, [this] { logic_.CommentsMouseLeave(); },
           [this] { logic_.CommentsClick(comments_); }}))
    return false;
  SetFont(comments_.Handle(), window_font_.get());
  if (!image1_.Create(instance, panel, kIdImage1, At(71, 104, 145, 105, dpi), "",
                      {[this] { logic_.Image1MouseMove(); }, [this] { logic_.Image1MouseLeave(); },
                       [this] { logic_.Image1Click(image1_); }}))
    return false;
  image1_.SetPicture(maker_picture_.get());

  ok_button_ = CreateChild(instance, window_, "BUTTON", kAboutOkCaption,
                           WS_TABSTOP | BS_DEFPUSHBUTTON, kIdSBitBtn1, At(117, 232, 75, 33, dpi));
  if (!ok_button_) return false;
  SetFont(ok_button_, window_font_.get());
  if (check_mark_) SetButtonPicture(ok_button_, check_mark_.get());
  return true;
}

void Win32AboutBox::Detach() noexcept {
  window_ = nullptr;
  ok_button_ = nullptr;
  ending_ = true;
}

LRESULT Win32AboutBox::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // OK, from the button or from Enter. Escape arrives as IDCANCEL: with no cancel button it
      // does nothing.
      if (LOWORD(wparam) == kIdSBitBtn1 && HIWORD(wparam) == BN_CLICKED) EndModal(kDialogOk);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kIdSBitBtn1, DC_HASDEFID);
    case WM_CLOSE:
      EndModal(kDialogClosed);  // hidden, never destroyed here
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && ok_button_) SetFocus(ok_button_);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void Win32AboutBox::EndModal(int result) {
  result_ = result;
  ending_ = true;
}

void Win32AboutBox::ShowModal() {
  if (!window_ || modal_) return;
  if (!placed_) {
    CentreOnPrimaryScreen();
    placed_ = true;
  }
  modal_ = true;
  ending_ = false;
  result_ = kDialogClosed;
  {
    ModalShowing showing(window_, owner_);
    if (ok_button_) SetFocus(ok_button_);
    RunModalLoop();
  }
  modal_ = false;
}

void Win32AboutBox::CentreOnPrimaryScreen() {
  RECT frame;
  GetWindowRect(window_, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32AboutBox::RunModalLoop() {
  MSG message;
  while (!ending_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The program is ending: the outer loop must see the request too.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    // Enter, Tab and Escape go through the dialog keys.
    if (window_ && IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace quillmark::win32
