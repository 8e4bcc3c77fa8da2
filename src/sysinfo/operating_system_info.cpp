#include "sysinfo/operating_system_info.h"

namespace quillmark {

void TOperatingSystemInfo::Refresh() {
  live_data_ = true;
  const OsVersionRecord& version = source_.version;
  major_version_ = static_cast<std::int32_t>(version.major);
  minor_version_ = static_cast<std::int32_t>(version.minor);
  build_number_ = static_cast<std::int32_t>(version.build & 0xFFFF);
  switch (version.platform) {
    case 0:
      platform_ = opWin31;
      break;
    case 1:
      platform_ = opWin9x;
      break;
    case 2:
      platform_ = opWinNT;
      break;
    default:
      break;  // an unknown platform leaves the last one standing
  }
  csd_ = CsdText(version);
  os_ = source_.kind;
  os_name_ = source_.os_name;
  os_edition_ = source_.os_edition;
}

}  // namespace quillmark
