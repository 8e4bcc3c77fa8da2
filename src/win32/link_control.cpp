#include "win32/link_control.h"

#include <algorithm>
#include <string>
#include <utility>

#include "win32/handles.h"
#include "win32/window_text.h"

namespace quillmark::win32 {

namespace {

constexpr char kLinkControlClass[] = "QuillmarkLinkControl";

HCURSOR LoadCursorOf(CursorKind cursor) {
  return LoadCursor(nullptr, cursor == CursorKind::Hand ? IDC_HAND : IDC_ARROW);
}

void Call(const std::function<void()>& handler) {
  if (handler) handler();
}

}  // namespace

bool LinkControl::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                         const char* text, Handlers handlers, FailureBoxApi& failures) {
  handlers_ = std::move(handlers);
  return CreateControl(instance, parent, id, bounds, kLinkControlClass, text, 0, 0, failures);
}

void LinkControl::SetPicture(HBITMAP picture) {
  picture_ = picture;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void LinkControl::SetCursor(CursorKind cursor) {
  cursor_ = cursor;
  // The system asks for the cursor before a move is reported; show the new one right away.
  if (PointerIsOver()) ::SetCursor(LoadCursorOf(cursor_));
}

void LinkControl::SetTextColour(Rgb colour) {
  colour_ = colour;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void LinkControl::PointerMoved() { Call(handlers_.move); }

void LinkControl::PointerLeft() { Call(handlers_.leave); }

bool LinkControl::PointerIsOver() const {
  POINT pointer;
  return Handle() && GetCursorPos(&pointer) && WindowFromPoint(pointer) == Handle();
}

LRESULT LinkControl::Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto done = FontMessage(font_, window, message, wparam, lparam)) return *done;
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT) break;
      ::SetCursor(LoadCursorOf(cursor_));
      return TRUE;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP: {
      // A click is a press and a release both on the control.
      const bool was_pressed = std::exchange(pressed_, false);
      if (GetCapture() == window) ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      const POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      if (was_pressed && PtInRect(&client, at)) Call(handlers_.click);
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void LinkControl::Paint(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (kind_ == ControlKind::Picture) {
    if (!picture_) return;
    BITMAP size = {};
    GetObjectA(picture_, sizeof size, &size);
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    SelectedObject picture_in_source(source.get(), picture_);
    BitBlt(dc, 0, 0, std::min<LONG>(size.bmWidth, client.right),
           std::min<LONG>(size.bmHeight, client.bottom), source.get(), 0, 0, SRCCOPY);
    return;
  }
  const std::string text = WindowText(Handle());
  SelectedObject font_in_dc(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour_ ? RGB(colour_->red, colour_->green, colour_->blue)
                           : GetSysColor(COLOR_WINDOWTEXT));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
            DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace quillmark::win32
