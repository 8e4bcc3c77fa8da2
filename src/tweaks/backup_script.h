// The backup: a registry script that puts back exactly what the tweaks own, as it is when taken.
// Every key the tweaks remove with its subkeys comes back whole, or absent; every value they
// write or remove comes back with its exact type and bytes, or absent. Importing it removes no key
// the tweaks do not own, so what other programs added meanwhile stays. Taking it only reads.
#pragma once

#include <chrono>
#include <string>

#include "registry/registry_api.h"

namespace quillmark {

// The moment as the backup's header states it: "2024-05-01 12:34:56 UTC".
std::string BackupTime(std::chrono::system_clock::time_point taken);

// The script, CR LF ended, of the store as it is now.
std::string BackupScript(RegistryApi& store, const std::string& taken);

}  // namespace quillmark
