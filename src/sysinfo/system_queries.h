// What the start-up identification asks of the platform: the version records, the optional
// kernel32 entries, the processor architecture, system metrics and the registry.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "registry/registry_api.h"

namespace quillmark {

// The OSVERSIONINFOEXA layout; size is 148 for the basic record, 156 for the extended one.
struct OsVersionRecord {
  std::uint32_t size = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform = 0;
  char csd[128] = {};
  std::uint16_t service_pack_major = 0;
  std::uint16_t service_pack_minor = 0;
  std::uint16_t suite_mask = 0;
  std::uint8_t product_type = 0;
  std::uint8_t reserved = 0;
};

// The service-pack text: up to its first zero, at most the 128 bytes of the field.
inline std::string CsdText(const OsVersionRecord& record) {
  const char* end = std::find(record.csd, record.csd + sizeof record.csd, '\0');
  return std::string(record.csd, end);
}

inline constexpr std::uint32_t kBasicVersionRecordSize = 148;
inline constexpr std::uint32_t kExtendedVersionRecordSize = 156;

struct Kernel32Entries {
  bool module = false;  // KERNEL32.DLL found or loaded
  bool get_native_system_info = false;
  bool is_wow64_process = false;
};

class SystemQueries {
 public:
  virtual ~SystemQueries() = default;
  virtual Kernel32Entries FindKernel32Entries() = 0;
  // IsWow64Process for the current process; asked only when the entry exists.
  virtual bool IsWow64Process() = 0;
  // wProcessorArchitecture of GetNativeSystemInfo (asked only when the entry exists) and of
  // GetSystemInfo.
  virtual std::uint16_t NativeProcessorArchitecture() = 0;
  virtual std::uint16_t ProcessorArchitecture() = 0;
  // GetVersionExA on a record whose size field says which layout to fill.
  virtual bool QueryVersion(OsVersionRecord& record) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual RegistryApi& Registry() = 0;
};

}  // namespace quillmark
