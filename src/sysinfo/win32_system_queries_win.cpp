#include <windows.h>

#include <cstring>

#include "sysinfo/win32_system_queries.h"

#include "core/system_metrics.h"

namespace quillmark {

namespace {

using GetNativeSystemInfoEntry = void(WINAPI*)(LPSYSTEM_INFO);
using IsWow64ProcessEntry = BOOL(WINAPI*)(HANDLE, PBOOL);

template <typename Entry>
Entry As(void* address) {
  return reinterpret_cast<Entry>(address);
}

}  // namespace

Kernel32Entries Win32SystemQueries::FindKernel32Entries() {
  HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
  if (kernel == nullptr) kernel = LoadLibraryA("KERNEL32.DLL");
  if (kernel == nullptr) return {};
  get_native_system_info_ = reinterpret_cast<void*>(GetProcAddress(kernel, "GetNativeSystemInfo"));
  is_wow64_process_ = reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process"));
  return {true, get_native_system_info_ != nullptr, is_wow64_process_ != nullptr};
}

bool Win32SystemQueries::IsWow64Process() {
  BOOL wow64 = FALSE;
  if (is_wow64_process_ == nullptr) return false;
  As<IsWow64ProcessEntry>(is_wow64_process_)(GetCurrentProcess(), &wow64);
  return wow64 != FALSE;
}

std::uint16_t Win32SystemQueries::NativeProcessorArchitecture() {
  SYSTEM_INFO info{};
  if (get_native_system_info_ == nullptr) return ProcessorArchitecture();
  As<GetNativeSystemInfoEntry>(get_native_system_info_)(&info);
  return info.wProcessorArchitecture;
}

std::uint16_t Win32SystemQueries::ProcessorArchitecture() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.wProcessorArchitecture;
}

bool Win32SystemQueries::QueryVersion(OsVersionRecord& record) {
  OSVERSIONINFOEXA native{};
  native.dwOSVersionInfoSize =
      record.size == kExtendedVersionRecordSize ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
  const BOOL ok = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&native));
  record.major = native.dwMajorVersion;
  record.minor = native.dwMinorVersion;
  record.build = native.dwBuildNumber;
  record.platform = native.dwPlatformId;
  std::memcpy(record.csd, native.szCSDVersion, sizeof record.csd);
  if (record.size == kExtendedVersionRecordSize) {
    record.service_pack_major = native.wServicePackMajor;
    record.service_pack_minor = native.wServicePackMinor;
    record.suite_mask = native.wSuiteMask;
    record.product_type = native.wProductType;
    record.reserved = native.wReserved;
  }
  return ok != FALSE;
}

int Win32SystemQueries::GetSystemMetrics(int index) { return SystemMetric(index); }

}  // namespace quillmark
