#include "win32/dialog_answering.h"

#include <array>
#include <utility>

namespace quillmark::win32::testing {

namespace {

constexpr std::chrono::milliseconds kPoll{20};

struct ThreadWindowSearch {
  const std::string* title;
  const char* window_class;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM state) noexcept {
  auto* search = reinterpret_cast<ThreadWindowSearch*>(state);
  if (!IsWindowVisible(window)) return TRUE;
  try {
    if (WindowText(window) != *search->title) return TRUE;
    if (search->window_class && WindowClass(window) != search->window_class) return TRUE;
  } catch (...) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM state) noexcept {
  auto* found = reinterpret_cast<std::pair<const char*, std::vector<HWND>*>*>(state);
  try {
    if (!found->first || WindowClass(child) == found->first) found->second->push_back(child);
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
  // Read without a message to the window's thread, which may be busy joining this one.
  std::wstring wide(8192, L'\0');
  wide.resize(static_cast<size_t>(
      InternalGetWindowText(window, wide.data(), static_cast<int>(wide.size()))));
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  std::string text(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr,
                                                           0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, text.data(), static_cast<int>(text.size()),
                      nullptr, nullptr);
  return text;
}

std::string WindowClass(HWND window) {
  std::array<char, 256> name{};
  GetClassNameA(window, name.data(), static_cast<int>(name.size()));
  return name.data();
}

RECT ClientRectIn(HWND child, HWND parent) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* window_class) {
  std::vector<HWND> children;
  std::pair<const char*, std::vector<HWND>*> state{window_class, &children};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&state));
  return children;
}

HWND FindThreadWindow(DWORD thread, const std::string& title, const char* window_class) {
  ThreadWindowSearch search{&title, window_class, nullptr};
  EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ThreadFocus(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void PressKey(DWORD thread, HWND fallback, WORD key) {
  HWND target = ThreadFocus(thread);
  if (!target) target = fallback;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(target, WM_KEYDOWN, key, scan | 1);
  PostMessageA(target, WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
}

DialogAnswerer::DialogAnswerer(std::string title, const char* window_class,
                               std::function<void(HWND)> answer)
    : gui_thread_(GetCurrentThreadId()),
      title_(std::move(title)),
      window_class_(window_class),
      answer_(std::move(answer)),
      thread_([this] { Run(); }) {}

DialogAnswerer::~DialogAnswerer() { Finish(); }

bool DialogAnswerer::Finish() {
  if (thread_.joinable()) thread_.join();
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return appeared_ && gone_;
}

void DialogAnswerer::Run() {
  const auto deadline = std::chrono::steady_clock::now() + kDialogDeadline;
  HWND dialog = nullptr;
  while (!(dialog = FindThreadWindow(gui_thread_, title_, window_class_)) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kPoll);
  }
  appeared_ = dialog != nullptr;
  if (appeared_) {
    answer_(dialog);
    const auto answered = std::chrono::steady_clock::now() + kDialogDeadline;
    while (IsWindow(dialog) && std::chrono::steady_clock::now() < answered) {
      std::this_thread::sleep_for(kPoll);
    }
    gone_ = !IsWindow(dialog);
  }
  if (!gone_) PostThreadMessageA(gui_thread_, WM_QUIT, 0, 0);
}

}  // namespace quillmark::win32::testing
