#include "app/pointer_tracker.h"

namespace quillmark {

void PointerTracker::PointerAt(int control) {
  if (control == current_) return;
  const int old = current_;
  current_ = control;
  if (old != kNone) targets_.Left(old);
  if (control != kNone) targets_.Entered(control);
}

}  // namespace quillmark
