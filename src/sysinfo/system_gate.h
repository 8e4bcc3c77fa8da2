// The one precondition of the program: Windows with major version 6 whose edition is reported
// as exactly "Ultimate".
#pragma once

#include <string>

#include "sysinfo/operating_system_info.h"

namespace quillmark {

inline constexpr const char* kGateMessage =
    "Quillmark was designed to run with Microsoft Windows 7 Ultimate only";

// Byte for byte: another letter case, a trailing blank or more words fail.
inline bool SystemGatePasses(const TOperatingSystemInfo& info) {
  return info.MajorVersion() == 6 && info.OSEdition() == "Ultimate";
}

}  // namespace quillmark
