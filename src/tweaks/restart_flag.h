// Set by every Apply, before any registry work; start-up clears it once the system gate has
// passed, and closing the main window reminds the user to restart while it is set.
#pragma once

namespace quillmark {

inline int restart_recommended = 0;

// Puts the flag back as it was when it goes: for runs of the engine that change no real
// registry (previews, plans, scripts), which recommend no restart.
class RestartFlagKept {
 public:
  RestartFlagKept() : saved_(restart_recommended) {}
  RestartFlagKept(const RestartFlagKept&) = delete;
  RestartFlagKept& operator=(const RestartFlagKept&) = delete;
  ~RestartFlagKept() { restart_recommended = saved_; }

 private:
  int saved_;
};

}  // namespace quillmark
