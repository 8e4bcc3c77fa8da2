#include "win32/memo_tab_key.h"

#include <commctrl.h>

#include "win32/creation_failure.h"

namespace quillmark::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK PassTabProc(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                             DWORD_PTR) noexcept {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, PassTabProc, kSubclassId);
  LRESULT code = DefSubclassProc(edit, message, w, l);
  if (message == WM_GETDLGCODE) {
    // The dialog manager asks with the key it is about to pass on.
    const auto* key = reinterpret_cast<const MSG*>(l);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
      code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
  }
  return code;
}

}  // namespace

void PassTabOn(HWND edit) {
  SetLastError(ERROR_SUCCESS);
  if (!SetWindowSubclass(edit, PassTabProc, kSubclassId, 0))
    ThrowCallFailure("SetWindowSubclass of the memo", GetLastError());
}

}  // namespace quillmark::win32
