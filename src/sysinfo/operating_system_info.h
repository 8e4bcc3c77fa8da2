// The operating-system information component the main window owns as Info1: Refresh publishes
// the start-up identification's results. Only MajorVersion and OSEdition are read by the
// program; the other system details this kind of component can gather stay empty.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/os_version_kind.h"
#include "sysinfo/startup_identification.h"

namespace quillmark {

class TOperatingSystemInfo {
 public:
  // Publishes the process-wide results, or for tests the results given.
  TOperatingSystemInfo() : source_(StartupResults()) {}
  explicit TOperatingSystemInfo(const IdentificationResults& source) : source_(source) {}
  virtual ~TOperatingSystemInfo() = default;

  virtual void Refresh();

  bool LiveData() const { return live_data_; }
  std::int32_t MajorVersion() const { return major_version_; }
  std::int32_t MinorVersion() const { return minor_version_; }
  std::int32_t BuildNumber() const { return build_number_; }
  TOSPlatform Platform() const { return platform_; }
  const std::string& OSName() const { return os_name_; }
  const std::string& OSEdition() const { return os_edition_; }
  TOSVersion OS() const { return os_; }
  const std::string& CSD() const { return csd_; }

 private:
  const IdentificationResults& source_;
  bool live_data_ = false;
  std::int32_t major_version_ = 0;
  std::int32_t minor_version_ = 0;
  std::int32_t build_number_ = 0;
  TOSPlatform platform_ = opWin31;
  std::string os_name_;
  std::string os_edition_;
  TOSVersion os_ = osUnknown;
  std::string csd_;
};

}  // namespace quillmark
