// The one way controls report to their window, on real windows: a command or notification goes
// to the control that sent it, whatever its number, and moving the pointer from one control
// straight onto the next reports the leave before the enter.
#include "win32/control_router.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/recording_failure_box.h"
#include "win32/child_window.h"
#include "win32/object_window_proc.h"
#include "win32/push_button.h"
#include "win32/test_windows.h"

namespace quillmark::win32 {
namespace {

using testing::PumpUntil;

constexpr char kParentClass[] = "QuillmarkControlRouterTestParent";
// Both buttons have the same number: only their windows tell them apart.
constexpr int kSharedId = 7;

// A top-level window whose controls report through a router.
class Parent {
 public:
  Parent() : callback_failures_(failures_), router_(failures_) {
    RegisterObjectClass<Parent>(GetModuleHandleA(nullptr), kParentClass,
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowExA(0, kParentClass, "Router", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100,
                    400, 200, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  }
  Parent(const Parent&) = delete;
  Parent& operator=(const Parent&) = delete;
  ~Parent() {
    if (window_) DestroyWindow(window_);
  }

  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  CallbackFailures& Failures() noexcept { return callback_failures_; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (LRESULT result = 0; router_.Route(window, message, wparam, lparam, result)) return result;
    return DefWindowProcA(window, message, wparam, lparam);
  }

  HWND window_ = nullptr;
  RecordingFailureBox failures_;
  CallbackFailures callback_failures_;
  ControlRouter router_;
};

// A plain static control that records the notifications it is said to have sent.
class NotifyingLabel final : public Control {
 public:
  HWND Handle() const override { return window_; }
  LRESULT Notify(const NMHDR& header) override {
    log += "notify " + std::to_string(header.code) + ";";
    return 55;
  }
  HWND window_ = nullptr;
  std::string log;
};

class ControlRouterTest : public ::testing::Test {
 protected:
  ControlRouterTest() {
    testing::PumpPendingMessages();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (auto [button, name, left] : {std::tuple{&a_, "A", 10}, std::tuple{&b_, "B", 110}}) {
      const std::string n = name;
      button->Create(
          instance, parent_.window_, kSharedId, RECT{left, 10, left + 100, 60}, name, BS_PUSHBUTTON,
          {[this, n] { log_ += "click " + n + ";"; }, [this, n] { log_ += "enter " + n + ";"; },
           [this, n] { log_ += "leave " + n + ";"; }});
      parent_.router_.Add(*button, true);
    }
    label_.window_ =
        CreateChildWindow(instance, parent_.window_, 8, RECT{10, 100, 200, 120}, "STATIC", "", 0);
    parent_.router_.Add(label_, false);
  }

  Parent parent_;
  PushButton a_;
  PushButton b_;
  NotifyingLabel label_;
  std::string log_;
};

TEST_F(ControlRouterTest, ACommandGoesToTheButtonThatSentItNotToItsNumber) {
  ASSERT_NE(a_.Handle(), nullptr);
  ASSERT_NE(b_.Handle(), nullptr);
  SendMessageA(b_.Handle(), BM_CLICK, 0, 0);
  SendMessageA(a_.Handle(), BM_CLICK, 0, 0);
  SendMessageA(b_.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log_, "click B;click A;click B;");
  // Another notification of a button is no click.
  SendMessageA(parent_.window_, WM_COMMAND, MAKEWPARAM(kSharedId, BN_SETFOCUS),
               reinterpret_cast<LPARAM>(b_.Handle()));
  EXPECT_EQ(log_, "click B;click A;click B;");
  EXPECT_TRUE(parent_.failures_.Events().empty());
}

TEST_F(ControlRouterTest, ANotificationGoesToItsSenderWhoseResultIsTheMessages) {
  NMHDR header{label_.Handle(), 8, 123};
  EXPECT_EQ(SendMessageA(parent_.window_, WM_NOTIFY, 8, reinterpret_cast<LPARAM>(&header)), 55);
  EXPECT_EQ(label_.log, "notify 123;");
  // From a window the router does not know: the default handling.
  NMHDR stranger{parent_.window_, 9, 124};
  EXPECT_EQ(SendMessageA(parent_.window_, WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&stranger)), 0);
  EXPECT_EQ(label_.log, "notify 123;");
  EXPECT_EQ(log_, "");
}

// Real pointer input, so that the system sends the moves and the leave notifications.
void MovePointerTo(HWND window, int x, int y) {
  POINT screen{x, y};
  ClientToScreen(window, &screen);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

TEST_F(ControlRouterTest, FromOneButtonStraightOntoTheNextTheLeaveComesBeforeTheEnter) {
  MovePointerTo(parent_.window_, 60, 35);
  EXPECT_TRUE(PumpUntil([this] { return log_ == "enter A;"; })) << log_;
  MovePointerTo(parent_.window_, 160, 35);
  EXPECT_TRUE(PumpUntil([this] { return log_ == "enter A;leave A;enter B;"; })) << log_;
  // Off both, onto the window's own surface, which the router does not watch.
  MovePointerTo(parent_.window_, 300, 150);
  EXPECT_TRUE(PumpUntil([this] { return log_ == "enter A;leave A;enter B;leave B;"; })) << log_;
  EXPECT_TRUE(parent_.failures_.Events().empty());
}

}  // namespace
}  // namespace quillmark::win32
