// Which control the pointer is over. The platform's reports of moves and leaves come in either
// order when the pointer jumps from one control straight onto another, and a report may be
// stale by the time it is handled; so every report only asks where the pointer is now, and each
// change of place is one hand-over: the old control is left before the new one is entered.
#pragma once

namespace quillmark {

class PointerTargets {
 public:
  virtual ~PointerTargets() = default;
  virtual void Entered(int control) = 0;
  virtual void Left(int control) = 0;
};

class PointerTracker {
 public:
  static constexpr int kNone = -1;

  explicit PointerTracker(PointerTargets& targets) : targets_(targets) {}

  // The pointer is over |control| now (a number of the caller's), or over none of them.
  void PointerAt(int control);
  int Current() const { return current_; }

 private:
  PointerTargets& targets_;
  int current_ = kNone;
};

}  // namespace quillmark
