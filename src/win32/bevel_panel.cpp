#include "win32/bevel_panel.h"

namespace quillmark::win32 {

namespace {
constexpr char kBevelPanelClass[] = "QuillmarkBevelPanel";
}

bool BevelPanel::Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                        FailureBoxApi& failures) {
  // WS_EX_CONTROLPARENT lets the dialog keys look inside it.
  return CreateControl(instance, parent, id, bounds, kBevelPanelClass, "", WS_CLIPCHILDREN,
                       WS_EX_CONTROLPARENT, failures);
}

LRESULT BevelPanel::Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_CTLCOLORSTATIC) return DefWindowProcA(window, message, wparam, lparam);
  HDC dc = reinterpret_cast<HDC>(wparam);
  const auto found = label_colours_.find(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
  SetTextColor(dc, found != label_colours_.end() ? found->second : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void BevelPanel::Paint(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // Lowered outside (shadow over highlight), raised inside (highlight over shadow).
  DrawEdge(dc, &client, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
}

}  // namespace quillmark::win32
