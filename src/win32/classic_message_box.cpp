#include "win32/classic_message_box.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "win32/control_ids.h"
#include "win32/creation_failure.h"
#include "win32/handles.h"
#include "win32/window_class.h"

namespace quillmark::win32 {

namespace {

using Layout = ClassicDialogLayout;

// A caption wider than the standard button gets this much room on each side.
constexpr int kCaptionPadding = 4;

// Dialog units of a font: a quarter of its average character width across, an eighth of its
// character height down. The average is taken over the letters, as the dialog manager does.
struct DialogUnits {
  int average_width;
  int height;
  int X(int units) const { return MulDiv(units, average_width, 4); }
  int Y(int units) const { return MulDiv(units, height, 8); }
};

DialogUnits MeasureUnits(HDC dc) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  GetTextExtentPoint32A(dc, kLetters, 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

UniqueFont CreateMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems before version 6 know the structure without its last member.
    metrics.cbSize = sizeof(metrics) - sizeof(metrics.iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return {};
  }
  return UniqueFont(CreateFontIndirectA(&metrics.lfMessageFont));
}

LPCSTR SystemIconName(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::Error:
      return IDI_HAND;
    case DialogIcon::Information:
      return IDI_ASTERISK;
    case DialogIcon::Question:
      break;
  }
  return IDI_QUESTION;
}

struct Geometry {
  RECT icon;
  RECT text;
  std::vector<RECT> buttons;
  SIZE client;
};

Geometry Arrange(HDC dc, const DialogPresentation& shown, const std::string& text) {
  const DialogUnits units = MeasureUnits(dc);
  const int margin_x = units.X(Layout::kMargin);
  const int margin_y = units.Y(Layout::kMargin);
  Geometry geometry{};
  geometry.icon = {margin_x, margin_y, margin_x + Layout::kIconPixels,
                   margin_y + Layout::kIconPixels};

  const int text_limit = GetSystemMetrics(SM_CXSCREEN) / 2;
  RECT measured{0, 0, text_limit, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  const int text_left = geometry.icon.right + units.X(Layout::kGap);
  geometry.text = {text_left, margin_y, text_left + std::min<int>(measured.right, text_limit),
                   margin_y + measured.bottom};

  int button_width = units.X(Layout::kButtonWidth);
  for (const DialogButtonFace& face : shown.buttons) {
    RECT caption{};
    DrawTextA(dc, face.caption, -1, &caption, DT_CALCRECT | DT_SINGLELINE);
    button_width = std::max<int>(button_width, caption.right + 2 * units.X(kCaptionPadding));
  }
  const int count = static_cast<int>(shown.buttons.size());
  const int spacing = units.X(Layout::kButtonSpacing);
  const int row_width = count > 0 ? count * button_width + (count - 1) * spacing : 0;

  geometry.client.cx = std::max<int>(geometry.text.right + margin_x, row_width + 2 * margin_x);
  const int buttons_top =
      std::max(geometry.icon.bottom, geometry.text.bottom) + units.Y(Layout::kGap);
  const int button_height = units.Y(Layout::kButtonHeight);
  geometry.client.cy = buttons_top + button_height + margin_y;
  for (int i = 0, left = (geometry.client.cx - row_width) / 2; i < count; ++i) {
    geometry.buttons.push_back(
        {left, buttons_top, left + button_width, buttons_top + button_height});
    left += button_width + spacing;
  }
  return geometry;
}

// Throws CreationFailure when the system does not make it.
HWND CreateChild(HWND dialog, const char* window_class, const char* text, DWORD style,
                 const RECT& place, int id, HFONT font) {
  HWND child = CreateWindowExA(0, window_class, text, WS_CHILD | WS_VISIBLE | style, place.left,
                               place.top, place.right - place.left, place.bottom - place.top,
                               dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  if (!child) ThrowCreationFailure("The message box's controls");
  if (font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The window class: a dialog's, under the program's own name so that it can be found.
void RegisterBoxClass(HINSTANCE instance) {
  WNDCLASSEXA known{};
  known.cbSize = sizeof(known);
  if (GetClassInfoExA(instance, kClassicDialogClass, &known)) return;
  WNDCLASSEXA form{};
  form.cbSize = sizeof(form);
  form.style = CS_DBLCLKS | CS_SAVEBITS;
  form.lpfnWndProc = DefDlgProcA;
  form.cbWndExtra = DLGWINDOWEXTRA;
  form.hInstance = instance;
  form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kClassicDialogClass;
  RegisterWindowClass(form);
}

// An in-memory dialog template with no controls: they are placed on WM_INITDIALOG, in units of
// the message font rather than of the template's font.
std::vector<WORD> EmptyTemplate() {
  DLGTEMPLATE header{};
  header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
  std::vector<WORD> words(sizeof(header) / sizeof(WORD));
  CopyMemory(words.data(), &header, sizeof(header));
  words.push_back(0);  // no menu
  for (const char* letter = kClassicDialogClass; *letter; ++letter) {
    words.push_back(static_cast<WORD>(*letter));
  }
  words.push_back(0);
  words.push_back(0);  // the caption is set with the controls
  return words;
}

class ClassicBox {
 public:
  ClassicBox(const DialogPresentation& shown, const std::string& text)
      : shown_(shown), text_(text), font_(CreateMessageFont()) {}

  int Run(HWND owner) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterBoxClass(instance);
    const std::vector<WORD> layout = EmptyTemplate();
    SetLastError(ERROR_SUCCESS);
    const INT_PTR result =
        DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()), owner,
                                &ClassicBox::Procedure, reinterpret_cast<LPARAM>(this));
    const DWORD error = GetLastError();
    if (owner && IsWindowVisible(owner)) SetActiveWindow(owner);
    // A failure inside the dialog ended it; it goes on from here, outside the system's code.
    if (failure_) std::rethrow_exception(failure_);
    // Every ending of ours gives a button's result, which is positive.
    if (result <= 0) ThrowCallFailure("DialogBoxIndirectParamA", error);
    return static_cast<int>(result);
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    auto* box = reinterpret_cast<ClassicBox*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!box) return FALSE;
    try {
      return box->Handle(dialog, message, wparam);
    } catch (...) {
      // Kept for Run to raise again once the dialog is gone; taking it allocates nothing.
      if (!box->failure_) box->failure_ = std::current_exception();
      EndDialog(dialog, kDialogClosed);
      return TRUE;
    }
  }

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wparam) {
    switch (message) {
      case WM_INITDIALOG:
        Build(dialog);
        return FALSE;  // the focus is on the default button already
      case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED) return FALSE;
        // Escape comes as IDCANCEL, which no button carries.
        if (LOWORD(wparam) == IDCANCEL) {
          EndDialog(dialog, shown_.classic_escape_result);
          return TRUE;
        }
        for (const DialogButtonFace& face : shown_.buttons) {
          if (LOWORD(wparam) == face.result) {
            EndDialog(dialog, face.result);
            return TRUE;
          }
        }
        return FALSE;
      case WM_CLOSE:
        EndDialog(dialog, kDialogClosed);
        return TRUE;
      default:
        return FALSE;
    }
  }

  void Build(HWND dialog) {
    SetWindowTextA(dialog, shown_.title);
    const HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    Geometry geometry{};
    {
      WindowDc dc(dialog);
      SelectedObject selected(dc.get(), font);
      geometry = Arrange(dc.get(), shown_, text_);
    }

    HWND icon =
        CreateChild(dialog, "STATIC", nullptr, SS_ICON, geometry.icon, kIdClassicIcon, nullptr);
    const HANDLE picture = LoadImageA(nullptr, SystemIconName(shown_.classic_icon), IMAGE_ICON,
                                      Layout::kIconPixels, Layout::kIconPixels, LR_SHARED);
    if (icon && picture) SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
    CreateChild(dialog, "STATIC", text_.c_str(), SS_LEFT | SS_NOPREFIX, geometry.text,
                kIdClassicText, font);

    HWND default_button = nullptr;
    for (size_t i = 0; i < shown_.buttons.size(); ++i) {
      const DialogButtonFace& face = shown_.buttons[i];
      const bool is_default = face.result == shown_.default_result;
      HWND button = CreateChild(
          dialog, "BUTTON", face.caption,
          WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
          geometry.buttons[i], face.result, font);
      if (is_default) default_button = button;
    }
    if (default_button) {
      SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(shown_.default_result), 0);
      SetFocus(default_button);
    }

    RECT frame{0, 0, geometry.client.cx, geometry.client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  const DialogPresentation& shown_;
  const std::string& text_;
  UniqueFont font_;
  std::exception_ptr failure_;
};

}  // namespace

int ShowClassicMessageBox(HWND owner, const DialogPresentation& shown, const std::string& text) {
  return ClassicBox(shown, text).Run(owner);
}

}  // namespace quillmark::win32
