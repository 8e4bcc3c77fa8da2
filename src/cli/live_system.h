// The system the command runs on, where it can be asked.
#pragma once

#include <memory>
#include <string>

#include "sysinfo/system_queries.h"

namespace quillmark {

// The live system's queries, or null with the reason in why_not.
std::unique_ptr<SystemQueries> OpenLiveSystem(std::string& why_not);

}  // namespace quillmark
