#include "win32/task_dialog_form.h"

#include <commctrl.h>

#include <vector>

namespace quillmark::win32 {

namespace {

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
using SetSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefaultSubclassFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

template <typename Function>
Function Find(HMODULE common_controls, const char* name) {
  if (!common_controls) return nullptr;
  const FARPROC found = GetProcAddress(common_controls, name);
  // Through the one function type that converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

TaskDialogIndirectFunction FindTaskDialog(HMODULE common_controls) {
  return Find<TaskDialogIndirectFunction>(common_controls, "TaskDialogIndirect");
}

// Escape reaches the dialog as IDCANCEL from no control. Wine's task dialog ignores that when it
// has no Cancel button, although cancellation is allowed, and honours only the close request;
// so when the dialog is still up after an IDCANCEL it is asked to close, once.
struct EscapeCancels {
  SetSubclassFunction set;
  RemoveSubclassFunction remove;
  DefaultSubclassFunction forward;
  bool close_requested = false;

  explicit EscapeCancels(HMODULE common_controls)
      : set(Find<SetSubclassFunction>(common_controls, "SetWindowSubclass")),
        remove(Find<RemoveSubclassFunction>(common_controls, "RemoveWindowSubclass")),
        forward(Find<DefaultSubclassFunction>(common_controls, "DefSubclassProc")) {}
  bool Usable() const { return set && remove && forward; }
};

LRESULT CALLBACK CloseWhenCancelIgnored(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data) noexcept {
  auto* escape = reinterpret_cast<EscapeCancels*>(data);
  if (message == WM_NCDESTROY) escape->remove(dialog, &CloseWhenCancelIgnored, id);
  const LRESULT result = escape->forward(dialog, message, wparam, lparam);
  // Ending a dialog hides it at once.
  if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL && lparam == 0 &&
      !escape->close_requested && IsWindowVisible(dialog)) {
    escape->close_requested = true;
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  }
  return result;
}

HRESULT CALLBACK OnTaskDialogEvent(HWND dialog, UINT event, WPARAM, LPARAM,
                                   LONG_PTR data) noexcept {
  auto* escape = reinterpret_cast<EscapeCancels*>(data);
  if (event == TDN_CREATED && escape->Usable()) {
    escape->set(dialog, &CloseWhenCancelIgnored, 1, reinterpret_cast<DWORD_PTR>(escape));
  }
  return S_OK;
}

// The program's texts are in the system code page; the task dialog takes UTF-16.
std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace

bool HasTaskDialog(HMODULE common_controls) { return FindTaskDialog(common_controls) != nullptr; }

std::optional<int> ShowTaskDialog(HMODULE common_controls, HWND owner,
                                  const DialogPresentation& shown, const std::string& text) {
  const TaskDialogIndirectFunction task_dialog = FindTaskDialog(common_controls);
  if (!task_dialog) return std::nullopt;

  const std::wstring title = Widen(shown.title);
  const std::wstring content = Widen(text);
  std::vector<std::wstring> captions;
  for (const DialogButtonFace& face : shown.buttons) captions.push_back(Widen(face.caption));
  std::vector<TASKDIALOG_BUTTON> buttons;
  for (size_t i = 0; i < shown.buttons.size(); ++i) {
    buttons.push_back({shown.buttons[i].result, captions[i].c_str()});
  }

  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof(config);
  config.hwndParent = owner;
  // Escape and the close box cancel the dialog with IDCANCEL, which is kDialogClosed.
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
  config.pszWindowTitle = title.c_str();
  config.pszMainIcon =
      shown.task_dialog_icon == DialogIcon::Error ? TD_ERROR_ICON : TD_INFORMATION_ICON;
  config.pszContent = content.c_str();
  config.cButtons = static_cast<UINT>(buttons.size());
  config.pButtons = buttons.data();
  config.nDefaultButton = shown.default_result;

  EscapeCancels escape(common_controls);
  config.pfCallback = &OnTaskDialogEvent;
  config.lpCallbackData = reinterpret_cast<LONG_PTR>(&escape);

  int pressed = 0;
  if (FAILED(task_dialog(&config, &pressed, nullptr, nullptr))) return std::nullopt;
  return pressed;
}

}  // namespace quillmark::win32
