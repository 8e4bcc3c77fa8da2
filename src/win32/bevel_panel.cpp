#include "win32/bevel_panel.h"

#include "win32/child_window.h"
#include "win32/object_window_proc.h"
#include "win32/painted_window.h"

namespace quillmark::win32 {

namespace {
constexpr char kBevelPanelClass[] = "QuillmarkBevelPanel";
}

bool BevelPanel::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                        FailureBoxApi& failures) {
  failures_ = &failures;
  if (!RegisterObjectClass<BevelPanel>(instance, kBevelPanelClass, nullptr)) return false;
  // WS_EX_CONTROLPARENT lets the dialog keys look inside it.
  return CreateChildWindow(instance, parent, id, bounds, kBevelPanelClass, "", WS_CLIPCHILDREN,
                           WS_EX_CONTROLPARENT, this) != nullptr;
}

LRESULT BevelPanel::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (auto done = PaintMessage(*this, window, message, wparam)) return *done;
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      const auto found = label_colours_.find(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
      SetTextColor(dc,
                   found != label_colours_.end() ? found->second : GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void BevelPanel::Paint(HDC dc) const {
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // Lowered outside (shadow over highlight), raised inside (highlight over shadow).
  DrawEdge(dc, &client, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
}

}  // namespace quillmark::win32
