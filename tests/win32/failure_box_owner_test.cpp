// The error box's owner and its modality over every window of the program, on real windows.
#include <gtest/gtest.h>

#include <string>

#include "core/application_title.h"
#include "win32/dialog_answering.h"
#include "win32/test_windows.h"
#include "win32/win32_failure_box.h"

namespace quillmark::win32 {
namespace {

using testing::DialogAnswerer;

// MessageBox gives its text control this identifier.
constexpr int kMessageBoxTextId = 0xFFFF;

struct BoxSeen {
  HWND owner = nullptr;
  std::string text;
  bool main_enabled = true;
  bool other_enabled = true;
  POINT application_corner{};
};

POINT Corner(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return {place.left, place.top};
}

// Shows the box and answers it with OK, noting what the answering thread saw meanwhile.
BoxSeen ShowAndAnswer(Win32FailureBox& box, HWND main_window, HWND other_window, HWND application) {
  BoxSeen seen;
  DialogAnswerer answerer(kApplicationTitle, "#32770", [&](HWND window) {
    seen.owner = GetWindow(window, GW_OWNER);
    seen.text = testing::WindowText(GetDlgItem(window, kMessageBoxTextId));
    seen.main_enabled = main_window && IsWindowEnabled(main_window);
    seen.other_enabled = other_window && IsWindowEnabled(other_window);
    if (application) seen.application_corner = Corner(application);
    PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
  });
  box.ShowErrorBox("Failed to set data for 'x'", kApplicationTitle);
  EXPECT_TRUE(answerer.Finish());
  return seen;
}

TEST(FailureBoxOwnerTest, ActiveWindowOwnsTheBoxAndEveryOtherWindowWaits) {
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  SetWindowPos(application.get(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  UniqueWindow other = testing::CreateActiveWindow("Other window");
  UniqueWindow already_disabled = testing::CreateActiveWindow("Disabled window");
  EnableWindow(already_disabled.get(), FALSE);
  UniqueWindow main_window = testing::CreateActiveWindow("Main window");
  HWND main = main_window.get();
  ASSERT_TRUE(testing::PumpUntil([main] { return GetActiveWindow() == main; }));
  HWND focus = GetFocus();
  ASSERT_TRUE(focus && IsChild(main_window.get(), focus));

  Win32FailureBox box(application.get());
  const BoxSeen seen = ShowAndAnswer(box, main_window.get(), other.get(), application.get());

  EXPECT_EQ(seen.owner, main_window.get());
  EXPECT_EQ(seen.text, "Failed to set data for 'x'");
  EXPECT_FALSE(seen.main_enabled);
  EXPECT_FALSE(seen.other_enabled);
  // One monitor: the application window stays where it is.
  EXPECT_EQ(seen.application_corner.x, 10);
  EXPECT_EQ(seen.application_corner.y, 20);

  EXPECT_TRUE(IsWindowEnabled(main_window.get()));
  EXPECT_TRUE(IsWindowEnabled(other.get()));
  EXPECT_FALSE(IsWindowEnabled(already_disabled.get()));
  HWND active = main_window.get();
  EXPECT_TRUE(testing::PumpUntil([=] {
    return GetActiveWindow() == active && GetFocus() == focus;
  })) << "active: "
      << GetActiveWindow() << ", focus: " << GetFocus();
}

TEST(FailureBoxOwnerTest, WithoutAnActiveWindowTheApplicationWindowOwnsTheBox) {
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  ASSERT_TRUE(testing::PumpUntil([] { return GetActiveWindow() == nullptr; }));
  Win32FailureBox box(application.get());
  EXPECT_EQ(ShowAndAnswer(box, nullptr, nullptr, nullptr).owner, application.get());
}

TEST(FailureBoxOwnerTest, WithoutAnActiveWindowTheLastActivePopupOwnsTheBox) {
  testing::PumpPendingMessages();
  UniqueWindow application = testing::CreateHiddenWindow();
  UniqueWindow popup(CreateWindowExA(0, "STATIC", "Popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50,
                                     50, 200, 100, application.get(), nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
  HWND shown_popup = popup.get();
  SetActiveWindow(shown_popup);
  ASSERT_TRUE(testing::PumpUntil([shown_popup] { return GetActiveWindow() == shown_popup; }));
  // Hidden, it leaves the program without an active window but stays the last active popup.
  ShowWindow(popup.get(), SW_HIDE);
  ASSERT_TRUE(testing::PumpUntil([] { return GetActiveWindow() == nullptr; }));
  ASSERT_EQ(GetLastActivePopup(application.get()), popup.get());

  Win32FailureBox box(application.get());
  EXPECT_EQ(ShowAndAnswer(box, nullptr, nullptr, nullptr).owner, popup.get());
}

TEST(FailureBoxOwnerTest, WithoutAnApplicationWindowTheActiveWindowOwnsTheBox) {
  testing::PumpPendingMessages();
  UniqueWindow main_window = testing::CreateActiveWindow("Main window");
  Win32FailureBox box;
  const BoxSeen seen = ShowAndAnswer(box, main_window.get(), nullptr, nullptr);
  EXPECT_EQ(seen.owner, main_window.get());
  EXPECT_FALSE(seen.main_enabled);
  EXPECT_TRUE(IsWindowEnabled(main_window.get()));
}

struct MonitorSearch {
  HMONITOR primary;
  RECT other;
  bool found;
};

BOOL CALLBACK FindOtherMonitor(HMONITOR monitor, HDC, LPRECT place, LPARAM state) noexcept {
  auto* search = reinterpret_cast<MonitorSearch*>(state);
  if (monitor == search->primary) return TRUE;
  search->other = *place;
  search->found = true;
  return FALSE;
}

// Runs on its own display of two monitors side by side (tests/win32/two_monitors_run.sh); the
// other tests of this program run without it.
TEST(TwoMonitorFailureBoxTest, ApplicationWindowVisitsTheActiveWindowsMonitorWhileTheBoxIsUp) {
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2)
      << "needs a display of two monitors: run through tests/win32/two_monitors_run.sh";
  testing::PumpPendingMessages();
  MonitorSearch search{MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), {}, false};
  EnumDisplayMonitors(nullptr, nullptr, FindOtherMonitor, reinterpret_cast<LPARAM>(&search));
  ASSERT_TRUE(search.found) << "Windows counts two monitors but enumerates one";
  // The launcher's second monitor: right of the first, of the same size.
  EXPECT_EQ(search.other.left, 1024);
  EXPECT_EQ(search.other.top, 0);
  EXPECT_EQ(search.other.right, 2048);
  EXPECT_EQ(search.other.bottom, 768);
  UniqueWindow application = testing::CreateHiddenWindow();
  SetWindowPos(application.get(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  UniqueWindow main_window = testing::CreateActiveWindow("Main window");
  SetWindowPos(main_window.get(), nullptr, search.other.left + 40, search.other.top + 40, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);

  Win32FailureBox box(application.get());
  const BoxSeen seen = ShowAndAnswer(box, main_window.get(), nullptr, application.get());

  EXPECT_EQ(seen.application_corner.x, (search.other.left + search.other.right) / 2);
  EXPECT_EQ(seen.application_corner.y, (search.other.top + search.other.bottom) / 2);
  const POINT after = Corner(application.get());
  EXPECT_EQ(after.x, 10);
  EXPECT_EQ(after.y, 20);
}

}  // namespace
}  // namespace quillmark::win32
