// The program's own controls on real windows, where their code fails: a handler that runs out of
// memory and a painting that throws are reported through the failure box, the report needing no
// memory of its own, and the painting still ends with EndPaint.
#include "win32/custom_control.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/project_version.h"
#include "support/recording_failure_box.h"
#include "win32/handles.h"
#include "win32/refused_allocations.h"
#include "win32/test_windows.h"

namespace quillmark::win32 {
namespace {

constexpr char kFailingControlClass[] = "QuillmarkFailingControl";
constexpr UINT kAllocate = WM_APP;

// A control whose handler allocates at kAllocate and whose painting throws when told to.
class FailingControl final : public CustomControl {
 public:
  bool Create(HWND parent, FailureBoxApi& failures) {
    return CreateControl(GetModuleHandleA(nullptr), parent, 1, RECT{10, 10, 110, 40},
                         kFailingControlClass, "", 0, 0, failures);
  }

  bool paint_throws = false;
  HDC painted = nullptr;

 private:
  LRESULT Message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kAllocate) {
      // A new string each time, kept, so that the allocation can neither be reused nor left out.
      std::string made(64, 'x');
      kept_.swap(made);
      return static_cast<LRESULT>(kept_.size());
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }
  void Paint(HDC dc) const override {
    const_cast<FailingControl*>(this)->painted = dc;
    if (paint_throws) throw Exception("The picture could not be drawn");
  }

  std::string kept_;
};

// A failure box that keeps what it is told in storage of its own, allocating nothing.
class FixedFailureBox final : public FailureBoxApi {
 public:
  void CancelMouseCapture() override { ++capture_cancels; }
  void ShowErrorBox(const std::string& shown, const std::string& caption) override {
    ++boxes;
    std::strncpy(text, shown.c_str(), sizeof text - 1);
    std::strncpy(title, caption.c_str(), sizeof title - 1);
  }

  int capture_cancels = 0;
  int boxes = 0;
  char text[256] = {};
  char title[256] = {};
};

TEST(CustomControl, AHandlerOutOfMemoryIsReportedToTheBoxWithoutAllocatingAndNotThrownOn) {
  testing::PumpPendingMessages();
  UniqueWindow parent = testing::CreateHiddenWindow();
  FixedFailureBox box;
  FailingControl control;
  ASSERT_TRUE(control.Create(parent.get(), box));
  ASSERT_EQ(SendMessageA(control.Handle(), kAllocate, 0, 0), 64) << "with memory to spare";

  LRESULT result = -1;
  bool refusal_works = false;
  {
    const testing::RefusedAllocations refused;
    refusal_works = testing::AllocationFails();
    // A failure thrown through the system's code, or an allocation while reporting, would end
    // the program here.
    result = SendMessageA(control.Handle(), kAllocate, 0, 0);
  }
  ASSERT_TRUE(refusal_works);
  EXPECT_EQ(result, 0) << "the default handling of a failed message";
  EXPECT_EQ(box.capture_cancels, 1);
  EXPECT_EQ(box.boxes, 1);
  EXPECT_STREQ(box.text, "std::bad_alloc.");
  EXPECT_STREQ(box.title, QUILLMARK_PROJECT_TITLE);
}

TEST(CustomControl, PaintingThatThrowsIsReportedAndTheDeviceContextIsGivenBack) {
  testing::PumpPendingMessages();
  UniqueWindow parent = testing::CreateActiveWindow("Failing paint");
  RecordingFailureBox box;
  FailingControl control;
  ASSERT_TRUE(control.Create(parent.get(), box));
  UpdateWindow(control.Handle());
  ASSERT_NE(control.painted, nullptr) << "a visible control paints";

  control.paint_throws = true;
  control.painted = nullptr;
  InvalidateRect(control.Handle(), nullptr, FALSE);
  UpdateWindow(control.Handle());
  ASSERT_NE(control.painted, nullptr);
  EXPECT_EQ(box.Events(), (std::vector<std::string>{"cancel mouse capture",
                                                    "error box \"" QUILLMARK_PROJECT_TITLE
                                                    "\": The picture could not be drawn."}));
  EXPECT_FALSE(GetUpdateRect(control.Handle(), nullptr, FALSE)) << "the painting was taken";
  // EndPaint gave the painting's device context back: giving it back again does nothing.
  EXPECT_EQ(ReleaseDC(control.Handle(), control.painted), 0);
}

}  // namespace
}  // namespace quillmark::win32
