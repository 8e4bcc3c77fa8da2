#include "sysinfo/startup_identification.h"

#include <charconv>
#include <cstring>
#include <span>
#include <string_view>

#include "core/ascii_case.h"
#include "registry/tregistry.h"

namespace quillmark {

namespace {

struct Name {
  const char* key;
  const char* edition;
};

// "EditionID" values of version 6 and the editions they name.
constexpr Name kEditionIds[] = {
    {"STARTER", "Starter"},
    {"HOMEBASIC", "Home Basic"},
    {"HOMEPREMIUM", "Home Premium"},
    {"ULTIMATE", "Ultimate"},
    {"BUSINESS", "Business"},
    {"HOMEPREMIUMN", "Home Premium (European)"},
    {"HOMEBASICN", "Home Basic (European)"},
    {"BUSINESSN", "Business (European)"},
    {"ENTERPRISE", "Enterprise"},
};

// NT 4 "ProductType" values.
constexpr Name kProductTypes[] = {
    {"WINNT", "Workstation"},
    {"LANMANNT", "Server"},
    {"SERVERNT", "Advanced Server"},
};

constexpr std::uint16_t kArchitectureIa64 = 6;
constexpr std::uint16_t kArchitectureAmd64 = 9;
constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kDomainController = 2;
constexpr std::uint8_t kServer = 3;
constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDatacenter = 0x0080;
constexpr std::uint16_t kSuitePersonal = 0x0200;
constexpr std::uint16_t kSuiteBlade = 0x0400;
constexpr int kTabletPc = 86;
constexpr int kMediaCenter = 87;
constexpr int kStarter = 88;
constexpr int kServerR2 = 89;

const char* Lookup(const std::string& value, std::span<const Name> table) {
  for (const Name& name : table) {
    if (EqualsNoCase(value, name.key)) return name.edition;
  }
  return "";
}

// A registry object for one read, on the native view when a 32-bit process runs on x64.
std::uint32_t ReadMask(const IdentificationResults& results) {
  return kKeyRead | (results.wow64 ? kKeyWow64_64Key : 0);
}

std::string EditionFromEditionId(SystemQueries& queries, const IdentificationResults& results) {
  TRegistry registry(queries.Registry(), ReadMask(results));
  registry.SelectRoot(RootKey::LocalMachine);
  std::string edition_id;
  if (registry.OpenAsCurrent("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false)) {
    if (registry.ValuePresent("EditionID")) edition_id = registry.ReadText("EditionID");
    registry.CloseCurrent();
  }
  return Lookup(edition_id, kEditionIds);
}

int NumberOf(const std::string& text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() ? number : 0;
}

// NT 4: the edition from the product options, and the service pack 6a hotfix.
std::string Nt4Edition(SystemQueries& queries, IdentificationResults& results) {
  TRegistry registry(queries.Registry(), ReadMask(results));
  registry.SelectRoot(RootKey::LocalMachine);
  std::string product_type;
  if (registry.OpenAsCurrent("SYSTEM\\CurrentControlSet\\Control\\ProductOptions", false)) {
    if (registry.ValuePresent("ProductType")) product_type = registry.ReadText("ProductType");
    registry.CloseCurrent();
  }
  const std::string edition = Lookup(product_type, kProductTypes);
  if (registry.OpenAsCurrent("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
                             false) &&
      registry.ValuePresent("Installed")) {
    int installed = 0;
    switch (registry.ValueKind("Installed")) {
      case RegValueKind::KindString:
        installed = NumberOf(registry.ReadText("Installed"));
        break;
      case RegValueKind::KindInteger:
        installed = registry.ReadNumber("Installed");
        break;
      default:
        break;
    }
    if (installed == 1 && EqualsNoCase(CsdText(results.version), "Service Pack 6")) {
      constexpr char kPatched[] = "Service Pack 6a";
      std::memcpy(results.version.csd, kPatched, sizeof kPatched);
    }
  }
  return edition;
}

std::string WorkstationEdition(SystemQueries& queries, const IdentificationResults& results) {
  std::string edition = (results.version.suite_mask & kSuitePersonal) ? "Home" : "Professional";
  if (queries.GetSystemMetrics(kStarter) > 0) {
    edition += " Starter Edition";
  } else if (queries.GetSystemMetrics(kTabletPc) > 0) {
    edition += " Tablet PC Edition";
  } else if (queries.GetSystemMetrics(kMediaCenter) > 0) {
    edition += " Media Center Edition";
  }
  return edition;
}

std::string ServerEdition(SystemQueries& queries, const IdentificationResults& results) {
  const OsVersionRecord& v = results.version;
  const bool datacenter = v.suite_mask & kSuiteDatacenter;
  const bool enterprise = v.suite_mask & kSuiteEnterprise;
  if (v.major == 6 && v.minor == 0) return EditionFromEditionId(queries, results);
  if (v.major == 5 && v.minor == 2) {
    switch (results.processor_architecture) {
      case kArchitectureIa64:
        return datacenter   ? "Datacenter Edition for Itanium-based Systems"
               : enterprise ? "Enterprise Edition for Itanium-based Systems"
                            : "";
      case kArchitectureAmd64:
        return datacenter   ? "Datacenter x64 Edition"
               : enterprise ? "Enterprise x64 Edition"
                            : "Standard x64 Edition";
      default:
        return datacenter                    ? "Datacenter Edition"
               : enterprise                  ? "Enterprise Edition"
               : v.suite_mask == kSuiteBlade ? "Web Edition"
                                             : "Standard Edition";
    }
  }
  if (v.major == 5 && v.minor == 0) {
    return datacenter ? "Datacenter Server" : enterprise ? "Advanced Server" : "Server";
  }
  // Servers of other versions (6.1 among them) get no edition of their own: none of the names
  // above would be true of them.
  return "";
}

void SetName(IdentificationResults& results, const char* name, TOSVersion kind) {
  results.os_name = name;
  results.kind = kind;
}

void NameNineXFamily(IdentificationResults& results) {
  const OsVersionRecord& v = results.version;
  const char second = v.csd[1];
  if (v.major == 4 && v.minor == 0) {
    SetName(results, "Windows 95", os95);
    results.os_edition = second == 'A'   ? "OSR 1"
                         : second == 'B' ? "OSR 2"
                         : second == 'C' ? "OSR 2.5"
                                         : "";
  }
  if (v.major == 4 && v.minor == 10) {
    SetName(results, "Windows 98", os98);
    results.os_edition = (second == 'A' || second == 'B') ? "SE" : "";
  }
  if (v.major == 4 && v.minor == 90) {
    SetName(results, "Windows Millennium Edition", osME);
  }
}

void NameNtFamily(SystemQueries& queries, IdentificationResults& results) {
  const OsVersionRecord& v = results.version;
  if (v.major == 6 && v.minor == 0) {
    if (v.product_type == kWorkstation) {
      SetName(results, "Windows Vista", osVista);
    } else {
      SetName(results, "Windows Server \"Longhorn\"", osLonghorn);
    }
  }
  if (v.major == 5 && v.minor == 2) {
    if (queries.GetSystemMetrics(kServerR2) > 0) {
      SetName(results, "Windows Server 2003 \"R2\"", os2K3);
    } else if (v.product_type == kWorkstation &&
               results.processor_architecture == kArchitectureAmd64) {
      SetName(results, "Windows XP Professional x64 Edition", osXP64);
    } else {
      SetName(results, "Windows Server 2003", os2K3);
    }
  }
  if (v.major == 5 && v.minor == 1) {
    SetName(results, "Windows XP", osXP);
  }
  if (v.major == 5 && v.minor == 0) {
    SetName(results, "Windows 2000", os2K);
  }
  if (v.major == 4) {
    SetName(results, "Windows NT 4", osNT4);
  }

  if (v.major < 5) {
    results.os_edition = Nt4Edition(queries, results);
  } else if (v.product_type == kWorkstation &&
             results.processor_architecture != kArchitectureAmd64) {
    results.os_edition = v.major == 6 ? EditionFromEditionId(queries, results)
                                      : WorkstationEdition(queries, results);
  } else if (v.product_type == kServer || v.product_type == kDomainController) {
    results.os_edition = ServerEdition(queries, results);
  }
}

std::string Trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

IdentificationResults process_results;
bool identified = false;

}  // namespace

void Identify(SystemQueries& queries, IdentificationResults& results) {
  const Kernel32Entries entries = queries.FindKernel32Entries();
  results.wow64 = entries.module && entries.is_wow64_process && queries.IsWow64Process();
  const bool native = results.wow64 && entries.module && entries.get_native_system_info;
  results.processor_architecture =
      native ? queries.NativeProcessorArchitecture() : queries.ProcessorArchitecture();

  OsVersionRecord basic;
  basic.size = kBasicVersionRecordSize;
  queries.QueryVersion(basic);
  results.version = OsVersionRecord{};
  if (basic.major < 5) {
    results.version.major = basic.major;
    results.version.minor = basic.minor;
    results.version.build = basic.build;
    results.version.platform = basic.platform;
    std::memcpy(results.version.csd, basic.csd, sizeof basic.csd);
  } else {
    results.version.size = kExtendedVersionRecordSize;
    queries.QueryVersion(results.version);
  }

  results.os_name.clear();
  results.os_edition.clear();
  results.kind = osUnknown;
  if (results.version.platform == 1) NameNineXFamily(results);
  if (results.version.platform == 2) NameNtFamily(queries, results);
  results.os_edition = Trimmed(results.os_edition);
  results.nt_family = results.kind >= osNT4 && results.kind <= osVista;
  results.vista = results.kind == osVista;
}

const IdentificationResults& StartupResults() { return process_results; }

void IdentifyOnce(SystemQueries& queries) {
  if (identified) return;
  identified = true;
  Identify(queries, process_results);
}

}  // namespace quillmark
