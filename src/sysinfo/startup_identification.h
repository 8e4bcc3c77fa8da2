// Works out, once per process and before any window exists, the Windows version, the processor
// architecture, and from them an OS name, an OS-version kind and the edition.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/os_version_kind.h"
#include "sysinfo/system_queries.h"

namespace quillmark {

struct IdentificationResults {
  OsVersionRecord version;
  bool wow64 = false;
  std::uint16_t processor_architecture = 0;
  std::string os_name;
  std::string os_edition;
  TOSVersion kind = osUnknown;
  bool nt_family = false;
  bool vista = false;
};

// The rules, filling results step by step; a registry read of an unexpected type raises
// ERegistryException and leaves results as far as they got.
void Identify(SystemQueries& queries, IdentificationResults& results);

// The process-wide results: empty until IdentifyOnce runs, fixed afterwards.
const IdentificationResults& StartupResults();
// Runs the identification into the process-wide results the first time it is called; later
// calls do nothing, also after a first run that raised.
void IdentifyOnce(SystemQueries& queries);

}  // namespace quillmark
