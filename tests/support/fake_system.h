// System queries answered from fields a test sets, over a registry snapshot.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "regfile/registry_script.h"
#include "stores/memory_registry.h"
#include "support/instrumented_store.h"
#include "sysinfo/system_queries.h"

namespace quillmark::testing {

class FakeSystem final : public SystemQueries {
 public:
  Kernel32Entries entries{true, true, true};
  bool wow64 = false;
  std::uint16_t native_architecture = 0;
  std::uint16_t architecture = 0;
  bool version_fails = false;
  std::uint32_t major = 6, minor = 1, build = 7601, platform = 2;
  std::string csd;
  std::uint16_t suite_mask = 0;
  std::uint8_t product_type = 1;
  std::map<int, int> metrics;
  MemoryRegistry registry;
  InstrumentedStore store{registry};  // what the queries hand out
  std::vector<std::string> calls;     // the queries asked, in order

  void SetRegistry(const std::string& script) { registry = LoadSnapshot(script); }

  Kernel32Entries FindKernel32Entries() override {
    calls.push_back("kernel32");
    return entries;
  }
  bool IsWow64Process() override {
    calls.push_back("IsWow64Process");
    return wow64;
  }
  std::uint16_t NativeProcessorArchitecture() override {
    calls.push_back("GetNativeSystemInfo");
    return native_architecture;
  }
  std::uint16_t ProcessorArchitecture() override {
    calls.push_back("GetSystemInfo");
    return architecture;
  }
  bool QueryVersion(OsVersionRecord& record) override {
    calls.push_back("QueryVersion " + std::to_string(record.size));
    if (version_fails) return false;
    record.major = major;
    record.minor = minor;
    record.build = build;
    record.platform = platform;
    std::memset(record.csd, 0, sizeof record.csd);
    std::memcpy(record.csd, csd.data(), std::min(csd.size(), sizeof record.csd));
    if (record.size == kExtendedVersionRecordSize) {
      record.suite_mask = suite_mask;
      record.product_type = product_type;
    }
    return true;
  }
  int GetSystemMetrics(int index) override {
    auto it = metrics.find(index);
    return it == metrics.end() ? 0 : it->second;
  }
  RegistryApi& Registry() override { return store; }
};

inline std::string EditionIdScript(const std::string& edition_id) {
  return "Windows Registry Editor Version 5.00\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
         "\"EditionID\"=\"" +
         edition_id + "\"\n";
}

}  // namespace quillmark::testing
