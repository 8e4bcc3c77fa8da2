#include "cli/live_system.h"
#include "sysinfo/win32_system_queries.h"

namespace quillmark {

std::unique_ptr<SystemQueries> OpenLiveSystem(std::string&) {
  return std::make_unique<Win32SystemQueries>();
}

}  // namespace quillmark
