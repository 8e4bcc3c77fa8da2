#include "win32/timer_script.h"

#include <utility>

namespace quillmark::win32::testing {

namespace {

constexpr char kTimerScriptClass[] = "QuillmarkTimerScript";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMilliseconds = 20;

}  // namespace

TimerScript::TimerScript(std::vector<ScriptStep> steps, std::function<void()> give_up)
    : steps_(std::move(steps)),
      give_up_(std::move(give_up)),
      step_deadline_(std::chrono::steady_clock::now() + kStepLimit) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &TimerScript::Proc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kTimerScriptClass;
  RegisterClassExA(&window_class);
  // A message-only window: the modal loop under test dispatches its timer like any message.
  window_ = CreateWindowExA(0, kTimerScriptClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            instance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetTimer(window_, kTimerId, kTickMilliseconds, nullptr);
}

TimerScript::~TimerScript() {
  KillTimer(window_, kTimerId);
  DestroyWindow(window_);
}

LRESULT CALLBACK TimerScript::Proc(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam) noexcept {
  auto* script = reinterpret_cast<TimerScript*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_TIMER && script) {
    script->Tick();
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void TimerScript::Tick() {
  if (Done() || stopped_) return;
  ScriptStep& step = steps_[next_];
  if (step.ready()) {
    ++next_;
    step_deadline_ = std::chrono::steady_clock::now() + kStepLimit;
    if (step.act) step.act();
  } else if (std::chrono::steady_clock::now() > step_deadline_) {
    stopped_ = true;
    if (give_up_) give_up_();
  }
}

}  // namespace quillmark::win32::testing
