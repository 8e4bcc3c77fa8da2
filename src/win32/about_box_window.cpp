#include "win32/about_box_window.h"

#include <initializer_list>
#include <utility>

#include "app/about_box_layout.h"
#include "app/about_texts.h"
#include "core/application_title.h"
#include "win32/child_window.h"
#include "win32/control_ids.h"
#include "win32/creation_failure.h"
#include "win32/dpi_scale.h"
#include "win32/object_window_proc.h"
#include "win32/resources/resource_ids.h"

namespace quillmark::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A dialog frame; with an owner and without WS_EX_APPWINDOW it has no task-bar button.
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

void SetFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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

Win32AboutBox::Win32AboutBox(HINSTANCE instance, HWND owner, FailureBoxApi& failures)
    : Win32AboutBox(instance, owner, nullptr, failures) {}

Win32AboutBox::Win32AboutBox(HINSTANCE instance, HWND owner, ShellOpen& shell,
                             FailureBoxApi& failures)
    : Win32AboutBox(instance, owner, &shell, failures) {}

Win32AboutBox::Win32AboutBox(HINSTANCE instance, HWND owner, ShellOpen* shell,
                             FailureBoxApi& failures)
    : owner_(owner),
      failures_(failures),
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

  RegisterObjectClass<Win32AboutBox>(instance, kAboutBoxClass,
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  SetLastError(ERROR_SUCCESS);
  RECT frame = {0, 0, Scale(kAboutClientWidth, dpi), Scale(kAboutClientHeight, dpi)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  if (!CreateWindowExA(kExStyle, kAboutBoxClass, kApplicationTitle, kStyle, 0, 0,
                       frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance,
                       this))
    ThrowCreationFailure("The about box");
  try {
    if (!CreateControls(instance, dpi)) ThrowCreationFailure("The about box's controls");
  } catch (...) {
    // Half made: it goes without its handlers, so that its end asks nothing of this object.
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(window_, nullptr));
    throw;
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
  // Created in tab order (the layout's): the panel first, then the button.
  if (!panel_.Create(instance, window_, kIdPanel1, ScaledBounds(kPanel1Placement, dpi), failures_))
    return false;
  HWND panel = panel_.Handle();
  if (!shadow_label_.Create(instance, panel, kIdShadowLabel1,
                            ScaledBounds(kShadowLabel1Placement, dpi), kAboutProductName,
                            failures_))
    return false;
  SetFont(shadow_label_.Handle(), title_font_.get());

  HWND copyright =
      CreateChildWindow(instance, panel, kIdCopyright, ScaledBounds(kCopyrightPlacement, dpi),
                        "STATIC", kAboutMakerLine, SS_CENTER | SS_NOPREFIX);
  HWND description =
      CreateChildWindow(instance, panel, kIdSLabel1, ScaledBounds(kSLabel1Placement, dpi), "STATIC",
                        kAboutDescription, SS_CENTER | SS_NOPREFIX);
  if (!copyright || !description) return false;
  panel_.SetLabelColour(kIdSLabel1, RGB(0, 0, 0));
  SetFont(copyright, window_font_.get());
  SetFont(description, window_font_.get());

  if (!comments_.Create(
          instance, panel, kIdComments, ScaledBounds(kCommentsPlacement, dpi), kMakerSiteName,
          {[this] { logic_.CommentsMouseMove(); }, [this] { logic_.CommentsMouseLeave(); },
           [this] { logic_.CommentsClick(comments_); }},
          failures_))
    return false;
  SetFont(comments_.Handle(), window_font_.get());
  if (!image1_.Create(instance, panel, kIdImage1, ScaledBounds(kImage1Placement, dpi), "",
                      {[this] { logic_.Image1MouseMove(); }, [this] { logic_.Image1MouseLeave(); },
                       [this] { logic_.Image1Click(image1_); }},
                      failures_))
    return false;
  image1_.SetPicture(maker_picture_.get());

  // OK, from the button or from Enter.
  HWND ok = ok_button_.Create(instance, window_, kIdSBitBtn1, ScaledBounds(kSBitBtn1Placement, dpi),
                              kAboutOkCaption, WS_TABSTOP | BS_DEFPUSHBUTTON,
                              {[this] { EndModal(kDialogOk); }, nullptr, nullptr});
  if (!ok) return false;
  SetFont(ok, window_font_.get());
  if (check_mark_) SetButtonPicture(ok, check_mark_.get());
  controls_.Add(comments_, true);
  controls_.Add(image1_, true);
  controls_.Add(ok_button_, false);
  return true;
}

void Win32AboutBox::Detach() noexcept {
  window_ = nullptr;
  ok_button_.Forget();
  ending_ = true;
}

LRESULT Win32AboutBox::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      // Escape arrives as IDCANCEL: with no cancel button it does nothing.
      LRESULT result = 0;
      controls_.Route(window, message, wparam, lparam, result);
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(kIdSBitBtn1, DC_HASDEFID);
    case WM_CLOSE:
      EndModal(kDialogClosed);  // hidden, never destroyed here
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && ok_button_.Handle()) SetFocus(ok_button_.Handle());
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
    if (ok_button_.Handle()) SetFocus(ok_button_.Handle());
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
