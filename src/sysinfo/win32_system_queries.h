// The system queries of the running Windows. Windows only.
#pragma once

#include "registry/win32_registry.h"
#include "sysinfo/system_queries.h"

namespace quillmark {

class Win32SystemQueries final : public SystemQueries {
 public:
  Kernel32Entries FindKernel32Entries() override;
  bool IsWow64Process() override;
  std::uint16_t NativeProcessorArchitecture() override;
  std::uint16_t ProcessorArchitecture() override;
  bool QueryVersion(OsVersionRecord& record) override;
  int GetSystemMetrics(int index) override;
  RegistryApi& Registry() override { return registry_; }

 private:
  Win32Registry registry_;
  void* get_native_system_info_ = nullptr;
  void* is_wow64_process_ = nullptr;
};

}  // namespace quillmark
