#include <windows.h>

#include "core/system_metrics.h"

namespace quillmark {

int SystemMetric(int index) {
  using Entry = int(WINAPI*)(int);
  HMODULE user32 = GetModuleHandleA("USER32.DLL");
  if (user32 == nullptr) user32 = LoadLibraryA("USER32.DLL");
  if (user32 == nullptr) return 0;
  const auto entry =
      reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(user32, "GetSystemMetrics")));
  return entry == nullptr ? 0 : entry(index);
}

}  // namespace quillmark
