// The controls of one window, and the one way they report to it: each WM_COMMAND and WM_NOTIFY
// goes to the control that sent it, and one pointer tracker says which control the pointer is
// over, leave before enter, from the moves and leaves of every control it watches.
#pragma once

#include <windows.h>

#include <vector>

#include "app/pointer_tracker.h"
#include "core/failure_report.h"
#include "win32/callback_failures.h"
#include "win32/control.h"

namespace quillmark::win32 {

class ControlRouter final : PointerTargets {
 public:
  // Failures of the controls' pointer handlers are reported to |failures|.
  explicit ControlRouter(FailureBoxApi& failures) : failures_(failures), pointer_(*this) {}
  ControlRouter(const ControlRouter&) = delete;
  ControlRouter& operator=(const ControlRouter&) = delete;
  ~ControlRouter() override;

  // The control's messages come here from now on; with |watch_pointer| its pointer moves and
  // leaves too (a refusal of the system to let them be watched throws a failure naming the
  // call). The control's window must exist and outlive neither this nor the control.
  void Add(Control& control, bool watch_pointer);

  // For the parent's window procedure: true, with the result, when the message was a control's
  // WM_COMMAND or WM_NOTIFY and went to it.
  bool Route(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

 private:
  static LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR data) noexcept;
  Control* Find(HWND window) const;
  // A move or a leave was reported: hand over to the control under the pointer now.
  void PointerReported(bool moved);
  void Entered(int control) override;
  void Left(int control) override;

  CallbackFailures failures_;
  std::vector<Control*> controls_;
  // The controls whose pointer is watched, numbered for the tracker by their place here.
  std::vector<Control*> watched_;
  PointerTracker pointer_;
};

}  // namespace quillmark::win32
