// Drives a modal loop from inside: a timer of the test's own thread runs steps while the loop
// runs, so the steps read the windows' C++ state on the thread that owns it. Each step waits
// for its condition, then acts. When a condition does not come true within the limit, the
// script stops and calls give_up, which should end the modal loop.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quillmark::win32::testing {

inline constexpr std::chrono::seconds kStepLimit{30};

struct ScriptStep {
  std::string name;
  std::function<bool()> ready;
  std::function<void()> act;
};

class TimerScript {
 public:
  TimerScript(std::vector<ScriptStep> steps, std::function<void()> give_up);
  TimerScript(const TimerScript&) = delete;
  TimerScript& operator=(const TimerScript&) = delete;
  ~TimerScript();

  // Every step acted.
  bool Done() const { return next_ == steps_.size(); }
  // The step the script was waiting for when it stopped or when the loop ended; "" when done.
  std::string WaitingFor() const { return Done() ? std::string() : steps_[next_].name; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  void Tick();

  std::vector<ScriptStep> steps_;
  std::function<void()> give_up_;
  std::size_t next_ = 0;
  std::chrono::steady_clock::time_point step_deadline_;
  bool stopped_ = false;
  HWND window_ = nullptr;
};

}  // namespace quillmark::win32::testing
