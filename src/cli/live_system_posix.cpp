#include "cli/live_system.h"

namespace quillmark {

std::unique_ptr<SystemQueries> OpenLiveSystem(std::string& why_not) {
  why_not = "this is no Windows system; use --registry FILE to ask a simulated Windows 7";
  return nullptr;
}

}  // namespace quillmark
