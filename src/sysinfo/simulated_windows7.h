// System queries that answer as a 32-bit Windows 7 Ultimate SP1 would (6.1.7601, NT platform,
// a workstation on x86 without WOW64), over the registry it is given, where "EditionID" says
// the edition. The demo build runs on them; so do tests and quillmark-cli on a snapshot.
#pragma once

#include "sysinfo/system_queries.h"

namespace quillmark {

class SimulatedWindows7 final : public SystemQueries {
 public:
  explicit SimulatedWindows7(RegistryApi& registry) : registry_(registry) {}

  Kernel32Entries FindKernel32Entries() override { return {true, true, true}; }
  bool IsWow64Process() override { return false; }
  std::uint16_t NativeProcessorArchitecture() override { return 0; }
  std::uint16_t ProcessorArchitecture() override { return 0; }
  bool QueryVersion(OsVersionRecord& record) override;
  int GetSystemMetrics(int) override { return 0; }
  RegistryApi& Registry() override { return registry_; }

 private:
  RegistryApi& registry_;
};

}  // namespace quillmark
