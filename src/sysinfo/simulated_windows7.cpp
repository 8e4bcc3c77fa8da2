#include "sysinfo/simulated_windows7.h"

#include <cstring>

namespace quillmark {

bool SimulatedWindows7::QueryVersion(OsVersionRecord& record) {
  const std::uint32_t size = record.size;
  if (size != kBasicVersionRecordSize && size != kExtendedVersionRecordSize) return false;
  record = OsVersionRecord{};
  record.size = size;
  record.major = 6;
  record.minor = 1;
  record.build = 7601;
  record.platform = 2;
  constexpr char kServicePack[] = "Service Pack 1";
  std::memcpy(record.csd, kServicePack, sizeof kServicePack);
  if (size == kExtendedVersionRecordSize) {
    record.service_pack_major = 1;
    record.suite_mask = 0x0100;  // VER_SUITE_SINGLEUSERTS
    record.product_type = 1;
  }
  return true;
}

}  // namespace quillmark
