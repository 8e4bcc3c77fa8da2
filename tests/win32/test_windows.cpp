#include "win32/test_windows.h"

#include <chrono>
#include <thread>

namespace quillmark::win32::testing {

namespace {

constexpr char kTestWindowClass[] = "QuillmarkTestWindow";

const char* TestWindowClass() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA known{};
  known.cbSize = sizeof(known);
  if (!GetClassInfoExA(instance, kTestWindowClass, &known)) {
    WNDCLASSEXA plain{};
    plain.cbSize = sizeof(plain);
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = instance;
    plain.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    plain.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    plain.lpszClassName = kTestWindowClass;
    RegisterClassExA(&plain);
  }
  return kTestWindowClass;
}

}  // namespace

UniqueWindow CreateHiddenWindow() {
  return UniqueWindow(CreateWindowExA(0, TestWindowClass(), "Application", WS_POPUP, 0, 0, 0, 0,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

UniqueWindow CreateActiveWindow(const char* title) {
  UniqueWindow window(CreateWindowExA(0, TestWindowClass(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      100, 100, 400, 300, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24,
                              window.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window.get());
  SetActiveWindow(window.get());
  SetFocus(edit);
  PumpPendingMessages();
  return window;
}

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    PumpPendingMessages();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace quillmark::win32::testing
