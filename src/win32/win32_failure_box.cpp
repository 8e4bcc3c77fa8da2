#include <windows.h>

#include <exception>
#include <vector>

#include "win32/win32_failure_box.h"

namespace quillmark {

namespace {

// The visible, enabled top-level windows of this thread, disabled for a scope and enabled
// again afterwards; windows that were disabled already stay so.
class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled() {
    EnumThreadWindows(GetCurrentThreadId(), &ThreadWindowsDisabled::Collect,
                      reinterpret_cast<LPARAM>(this));
    // A window that could not be noted goes on from here, outside the system's code.
    if (failure_) std::rethrow_exception(failure_);
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;
  ~ThreadWindowsDisabled() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) noexcept {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    auto* disabled = reinterpret_cast<ThreadWindowsDisabled*>(self);
    try {
      disabled->disabled_.push_back(window);
      return TRUE;
    } catch (...) {
      disabled->failure_ = std::current_exception();
      return FALSE;
    }
  }

  std::vector<HWND> disabled_;
  std::exception_ptr failure_;
};

// When the active window lies on another monitor than the application window, the application
// window's top-left corner stands in the middle of that monitor for a scope, so that a box
// placed by the application window appears where the user is looking.
class ApplicationWindowBeside {
 public:
  ApplicationWindowBeside(HWND application_window, HWND active) {
    if (!application_window || !active || active == application_window) return;
    const HMONITOR there = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
    if (there == MonitorFromWindow(application_window, MONITOR_DEFAULTTONEAREST)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(there, &monitor) || !GetWindowRect(application_window, &before_)) return;
    moved_ = application_window;
    Place((monitor.rcMonitor.left + monitor.rcMonitor.right) / 2,
          (monitor.rcMonitor.top + monitor.rcMonitor.bottom) / 2);
  }
  ApplicationWindowBeside(const ApplicationWindowBeside&) = delete;
  ApplicationWindowBeside& operator=(const ApplicationWindowBeside&) = delete;
  ~ApplicationWindowBeside() {
    if (moved_ && IsWindow(moved_)) Place(before_.left, before_.top);
  }

 private:
  void Place(int left, int top) {
    SetWindowPos(moved_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND moved_ = nullptr;
  RECT before_{};
};

}  // namespace

void Win32FailureBox::CancelMouseCapture() {
  if (HWND holder = GetCapture()) SendMessageA(holder, WM_CANCELMODE, 0, 0);
}

void Win32FailureBox::ShowErrorBox(const std::string& text, const std::string& title) {
  const HWND active = GetActiveWindow();
  const HWND focus = GetFocus();
  HWND owner = active;
  // The last active popup is the application window itself when it never had one.
  if (!owner && application_window_) owner = GetLastActivePopup(application_window_);
  if (!owner) owner = application_window_;
  {
    const ApplicationWindowBeside beside(application_window_, active);
    const ThreadWindowsDisabled disabled;
    MessageBoxA(owner, text.c_str(), title.c_str(), MB_ICONERROR);
  }
  if (active && IsWindow(active)) SetActiveWindow(active);
  if (focus && IsWindow(focus)) SetFocus(focus);
}

}  // namespace quillmark
