// Answering a modal dialog from a second thread: the test's thread shows the dialog and blocks in
// its modal loop, while the answering thread waits for the dialog's window, reads what it shows
// and presses a button or a key.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace quillmark::win32::testing {

inline constexpr std::chrono::seconds kDialogDeadline{30};

// The title or caption, read without sending the window's thread a message.
std::string WindowText(HWND window);
std::string WindowClass(HWND window);
RECT ClientRectIn(HWND child, HWND parent);
std::vector<HWND> ChildrenOfClass(HWND parent, const char* window_class);

// The first visible top-level window of the thread with this title (and class, when one is
// given), or nullptr.
HWND FindThreadWindow(DWORD thread, const std::string& title, const char* window_class = nullptr);

// The window holding the keyboard focus in the thread, or nullptr.
HWND ThreadFocus(DWORD thread);

// Posts a key press (down and up) to the thread's focused window, else to the given window.
void PressKey(DWORD thread, HWND fallback, WORD key);

// Runs answer on a second thread once the calling thread shows a top-level window with the
// title, then waits for that window to go. When it does not appear or does not go within the
// deadline, the calling thread is sent WM_QUIT so that its modal loop ends and the test fails
// instead of hanging.
class DialogAnswerer {
 public:
  DialogAnswerer(std::string title, const char* window_class, std::function<void(HWND)> answer);
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;
  ~DialogAnswerer();

  // Joins the second thread and drops a WM_QUIT it may have sent. True when the dialog
  // appeared and went away after the answer.
  bool Finish();

 private:
  void Run();

  DWORD gui_thread_;
  std::string title_;
  const char* window_class_;
  std::function<void(HWND)> answer_;
  bool appeared_ = false;
  bool gone_ = false;
  std::thread thread_;
};

}  // namespace quillmark::win32::testing
