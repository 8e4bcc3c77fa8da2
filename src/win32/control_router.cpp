#include "win32/control_router.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/creation_failure.h"

namespace quillmark::win32 {
namespace {

constexpr UINT_PTR kWatchId = 1;

}  // namespace

ControlRouter::~ControlRouter() {
  for (Control* control : watched_) {
    if (HWND window = control->Handle(); window && IsWindow(window))
      RemoveWindowSubclass(window, WatchProc, kWatchId);
  }
}

void ControlRouter::Add(Control& control, bool watch_pointer) {
  controls_.push_back(&control);
  if (!watch_pointer) return;
  watched_.push_back(&control);
  SetLastError(ERROR_SUCCESS);
  if (!SetWindowSubclass(control.Handle(), WatchProc, kWatchId, reinterpret_cast<DWORD_PTR>(this)))
    ThrowCallFailure("SetWindowSubclass of a control", GetLastError());
}

Control* ControlRouter::Find(HWND window) const {
  if (!window) return nullptr;
  const auto found = std::find_if(controls_.begin(), controls_.end(), [window](Control* control) {
    return control->Handle() == window;
  });
  return found == controls_.end() ? nullptr : *found;
}

bool ControlRouter::Route(HWND parent, UINT message, WPARAM wparam, LPARAM lparam,
                          LRESULT& result) {
  if (message == WM_COMMAND) {
    // A command may come without its sender's window (a default button's click from the dialog
    // keys may): the sender is then the child of that number.
    HWND sender = lparam ? reinterpret_cast<HWND>(lparam) : GetDlgItem(parent, LOWORD(wparam));
    Control* control = Find(sender);
    if (!control) return false;
    control->Command(HIWORD(wparam));
    result = 0;
    return true;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    Control* control = Find(header->hwndFrom);
    if (!control) return false;
    result = control->Notify(*header);
    return true;
  }
  return false;
}

LRESULT CALLBACK ControlRouter::WatchProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR data) noexcept {
  auto* router = reinterpret_cast<ControlRouter*>(data);
  if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
    // Reported here: a failure must not unwind through the system's code that called us.
    router->failures_.Run([&] { router->PointerReported(message == WM_MOUSEMOVE); });
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, WatchProc, kWatchId);
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

void ControlRouter::PointerReported(bool moved) {
  POINT point{};
  GetCursorPos(&point);
  const HWND under = WindowFromPoint(point);
  int place = PointerTracker::kNone;
  for (int index = 0; index < static_cast<int>(watched_.size()); ++index) {
    if (watched_[index]->Handle() == under) place = index;
  }
  pointer_.PointerAt(place);
  if (!moved || pointer_.Current() == PointerTracker::kNone) return;
  Control& current = *watched_[pointer_.Current()];
  // The platform reports a leave only once asked to, for one window at a time; asked again at
  // every move, so that a leave reported while the pointer stayed does not end the tracking.
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, current.Handle(), 0};
  TrackMouseEvent(&track);
  current.PointerMoved();
}

void ControlRouter::Entered(int control) { watched_[control]->PointerEntered(); }

void ControlRouter::Left(int control) { watched_[control]->PointerLeft(); }

}  // namespace quillmark::win32
