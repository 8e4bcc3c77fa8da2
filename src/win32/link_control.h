// The pointer-sensitive parts of the about box: the link label and the picture. They report
// clicks, and through the box's ControlRouter the pointer's moves over them and leaves; the box's
// handlers set their cursor and text colour back through AboutControl.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/about_box.h"
#include "win32/control.h"
#include "win32/custom_control.h"

namespace quillmark::win32 {

class LinkControl final : public AboutControl, public Control, public CustomControl {
 public:
  struct Handlers {
    std::function<void()> move;
    std::function<void()> leave;
    std::function<void()> click;
  };

  LinkControl(ControlKind kind, std::string hint) : kind_(kind), hint_(std::move(hint)) {}

  // The child window; false if it could not be made. A label shows its text centred and
  // word-wrapped in the font set with WM_SETFONT. Failures of the handlers are reported to
  // |failures|.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const char* text,
              Handlers handlers, FailureBoxApi& failures);
  // A picture's bitmap, not owned: drawn unscaled from the top-left corner and clipped.
  void SetPicture(HBITMAP picture);
  HWND Handle() const override { return CustomControl::Handle(); }

  ControlKind Kind() const override { return kind_; }
  std::string Hint() const override { return hint_; }
  void SetCursor(CursorKind cursor) override;
  void SetTextColour(Rgb colour) override;
  void PointerMoved() override;
  void PointerLeft() override;

  CursorKind Cursor() const { return cursor_; }
  // Empty until a handler sets a colour: until then the text has the window-text colour.
  std::optional<Rgb> TextColour() const { return colour_; }

 private:
  LRESULT Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) const override;
  bool PointerIsOver() const;

  ControlKind kind_;
  std::string hint_;
  Handlers handlers_;
  HFONT font_ = nullptr;
  HBITMAP picture_ = nullptr;
  CursorKind cursor_ = CursorKind::Default;
  std::optional<Rgb> colour_;
  bool pressed_ = false;
};

}  // namespace quillmark::win32
