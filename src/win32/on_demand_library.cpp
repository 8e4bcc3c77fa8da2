#include "win32/on_demand_library.h"

#include <string>

namespace quillmark::win32 {

FARPROC OnDemandLibrary::FindAddress(const char* function_name) {
  if (!module_) {
    // From the system folder by its full path: never a file of that name beside the program.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + file_name_;
    module_.reset(LoadLibraryA(path.c_str()));
    if (!module_) return nullptr;
  }
  return GetProcAddress(module_.get(), function_name);
}

}  // namespace quillmark::win32
