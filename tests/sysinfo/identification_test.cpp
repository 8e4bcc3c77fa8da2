// The identification rules: names, kinds and editions from the version, the architecture, the
// metrics and the registry.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/failure_classes.h"
#include "support/fake_system.h"
#include "sysinfo/operating_system_info.h"
#include "sysinfo/startup_identification.h"

namespace quillmark::testing {
namespace {

struct Case {
  const char* what;
  std::function<void(FakeSystem&)> system;
  const char* name;
  const char* edition;
  TOSVersion kind;
};

// A version as major, minor, platform, product type, architecture.
std::function<void(FakeSystem&)> Version(std::uint32_t major, std::uint32_t minor,
                                         std::uint32_t platform, std::uint8_t product,
                                         std::uint16_t architecture,
                                         std::function<void(FakeSystem&)> more = nullptr) {
  return [=](FakeSystem& system) {
    system.major = major;
    system.minor = minor;
    system.platform = platform;
    system.product_type = product;
    system.architecture = architecture;
    if (more) more(system);
  };
}

std::function<void(FakeSystem&)> EditionId(const std::string& id) {
  return [=](FakeSystem& system) { system.SetRegistry(EditionIdScript(id)); };
}

std::function<void(FakeSystem&)> Suite(std::uint16_t mask) {
  return [=](FakeSystem& system) { system.suite_mask = mask; };
}

std::function<void(FakeSystem&)> Csd(const char* text) {
  return [=](FakeSystem& system) { system.csd = text; };
}

const char* const kNt4Options =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ProductOptions]\n";

const Case kCases[] = {
    {"32-bit Windows 7 Ultimate", Version(6, 1, 2, 1, 0, EditionId("Ultimate")), "", "Ultimate",
     osUnknown},
    {"EditionID in capitals", Version(6, 1, 2, 1, 0, EditionId("ULTIMATE")), "", "Ultimate",
     osUnknown},
    {"EditionID in small letters", Version(6, 1, 2, 1, 0, EditionId("ultimate")), "", "Ultimate",
     osUnknown},
    {"UltimateN", Version(6, 1, 2, 1, 0, EditionId("UltimateN")), "", "", osUnknown},
    {"UltimateE", Version(6, 1, 2, 1, 0, EditionId("UltimateE")), "", "", osUnknown},
    {"Professional", Version(6, 1, 2, 1, 0, EditionId("Professional")), "", "", osUnknown},
    {"Ultimate with a blank", Version(6, 1, 2, 1, 0, EditionId("Ultimate ")), "", "", osUnknown},
    {"non-ASCII letters are not folded", Version(6, 1, 2, 1, 0, EditionId("\xdcltimate")), "", "",
     osUnknown},
    {"every table row", Version(6, 1, 2, 1, 0, EditionId("homepremiumn")), "",
     "Home Premium (European)", osUnknown},
    {"no EditionID", Version(6, 1, 2, 1, 0), "", "", osUnknown},
    {"x64 Windows 7 Ultimate", Version(6, 1, 2, 1, 9, EditionId("Ultimate")), "", "", osUnknown},
    {"x64 Vista Ultimate", Version(6, 0, 2, 1, 9, EditionId("Ultimate")), "Windows Vista", "",
     osVista},
    {"Vista Ultimate", Version(6, 0, 2, 1, 0, EditionId("Ultimate")), "Windows Vista", "Ultimate",
     osVista},
    {"6.0 server without a row", Version(6, 0, 2, 3, 0, EditionId("ServerStandard")),
     "Windows Server \"Longhorn\"", "", osLonghorn},
    {"6.0 domain controller", Version(6, 0, 2, 2, 9, EditionId("Enterprise")),
     "Windows Server \"Longhorn\"", "Enterprise", osLonghorn},
    {"6.1 server",
     Version(6, 1, 2, 3, 0,
             [](FakeSystem& s) {
               s.suite_mask = 0x0002;
               s.SetRegistry(EditionIdScript("Ultimate"));
             }),
     "", "", osUnknown},
    {"XP Home with every suffix",
     Version(5, 1, 2, 1, 0,
             [](FakeSystem& s) {
               s.suite_mask = 0x0200;
               s.metrics = {{86, 1}, {87, 1}, {88, 1}};
             }),
     "Windows XP", "Home Starter Edition", osXP},
    {"XP Tablet PC",
     Version(5, 1, 2, 1, 0,
             [](FakeSystem& s) {
               s.metrics = {{86, 1}, {87, 1}};
             }),
     "Windows XP", "Professional Tablet PC Edition", osXP},
    {"XP Media Center",
     Version(5, 1, 2, 1, 0,
             [](FakeSystem& s) {
               s.metrics = {{87, 2}};
             }),
     "Windows XP", "Professional Media Center Edition", osXP},
    {"2000 Professional", Version(5, 0, 2, 1, 0), "Windows 2000", "Professional", os2K},
    {"2000 Datacenter", Version(5, 0, 2, 3, 0, Suite(0x0082)), "Windows 2000", "Datacenter Server",
     os2K},
    {"2000 Advanced", Version(5, 0, 2, 2, 0, Suite(0x0002)), "Windows 2000", "Advanced Server",
     os2K},
    {"2000 Server", Version(5, 0, 2, 3, 0), "Windows 2000", "Server", os2K},
    {"2003 web", Version(5, 2, 2, 3, 0, Suite(0x0400)), "Windows Server 2003", "Web Edition",
     os2K3},
    {"2003 blade and more", Version(5, 2, 2, 3, 0, Suite(0x0410)), "Windows Server 2003",
     "Standard Edition", os2K3},
    {"2003 datacenter and enterprise", Version(5, 2, 2, 3, 0, Suite(0x0082)), "Windows Server 2003",
     "Datacenter Edition", os2K3},
    {"2003 enterprise", Version(5, 2, 2, 3, 0, Suite(0x0002)), "Windows Server 2003",
     "Enterprise Edition", os2K3},
    {"2003 R2",
     Version(5, 2, 2, 3, 0,
             [](FakeSystem& s) {
               s.metrics = {{89, 1}};
             }),
     "Windows Server 2003 \"R2\"", "Standard Edition", os2K3},
    {"2003 Itanium without bits", Version(5, 2, 2, 3, 6), "Windows Server 2003", "", os2K3},
    {"2003 Itanium datacenter", Version(5, 2, 2, 3, 6, Suite(0x0080)), "Windows Server 2003",
     "Datacenter Edition for Itanium-based Systems", os2K3},
    {"2003 Itanium enterprise", Version(5, 2, 2, 3, 6, Suite(0x0002)), "Windows Server 2003",
     "Enterprise Edition for Itanium-based Systems", os2K3},
    {"2003 x64 standard", Version(5, 2, 2, 3, 9), "Windows Server 2003", "Standard x64 Edition",
     os2K3},
    {"2003 x64 enterprise", Version(5, 2, 2, 3, 9, Suite(0x0002)), "Windows Server 2003",
     "Enterprise x64 Edition", os2K3},
    {"2003 x64 datacenter", Version(5, 2, 2, 3, 9, Suite(0x0080)), "Windows Server 2003",
     "Datacenter x64 Edition", os2K3},
    {"XP x64", Version(5, 2, 2, 1, 9), "Windows XP Professional x64 Edition", "", osXP64},
    {"NT 4 workstation",
     Version(4, 0, 2, 0, 0,
             [](FakeSystem& s) {
               s.SetRegistry(std::string(kNt4Options) + "\"ProductType\"=\"winnt\"\n");
             }),
     "Windows NT 4", "Workstation", osNT4},
    {"NT 4 server",
     Version(4, 0, 2, 0, 0,
             [](FakeSystem& s) {
               s.SetRegistry(std::string(kNt4Options) + "\"ProductType\"=\"LanmanNT\"\n");
             }),
     "Windows NT 4", "Server", osNT4},
    {"NT 4 advanced server",
     Version(4, 0, 2, 0, 0,
             [](FakeSystem& s) {
               s.SetRegistry(std::string(kNt4Options) + "\"ProductType\"=\"ServerNT\"\n");
             }),
     "Windows NT 4", "Advanced Server", osNT4},
    {"NT 4 without product options", Version(4, 0, 2, 0, 0), "Windows NT 4", "", osNT4},
    {"Windows 95 OSR 2", Version(4, 0, 1, 0, 0, Csd(" B")), "Windows 95", "OSR 2", os95},
    {"Windows 95 OSR 2.5", Version(4, 0, 1, 0, 0, Csd(" C")), "Windows 95", "OSR 2.5", os95},
    {"Windows 95 OSR 1", Version(4, 0, 1, 0, 0, Csd(" A")), "Windows 95", "OSR 1", os95},
    {"Windows 95", Version(4, 0, 1, 0, 0, Csd("")), "Windows 95", "", os95},
    {"Windows 98 SE", Version(4, 10, 1, 0, 0, Csd(" A ")), "Windows 98", "SE", os98},
    {"Windows 98", Version(4, 10, 1, 0, 0, Csd(" C")), "Windows 98", "", os98},
    {"Windows Me", Version(4, 90, 1, 0, 0, Csd(" A")), "Windows Millennium Edition", "", osME},
    {"platform 0", Version(3, 10, 0, 0, 0), "", "", osUnknown},
    {"platform 3", Version(6, 0, 3, 1, 0, EditionId("Ultimate")), "", "", osUnknown},
};

TEST(Identification, EveryRule) {
  for (const Case& c : kCases) {
    FakeSystem system;
    c.system(system);
    IdentificationResults results;
    Identify(system, results);
    EXPECT_EQ(results.os_name, c.name) << c.what;
    EXPECT_EQ(results.os_edition, c.edition) << c.what;
    EXPECT_EQ(results.kind, c.kind) << c.what;
    EXPECT_EQ(results.nt_family, c.kind >= osNT4 && c.kind <= osVista) << c.what;
    EXPECT_EQ(results.vista, c.kind == osVista) << c.what;
  }
}

TEST(Identification, BelowVersion5OnlyTheBasicRecordIsAsked) {
  FakeSystem system;
  Version(4, 0, 2, 3, 0, Suite(0x0080))(system);
  IdentificationResults results;
  Identify(system, results);
  EXPECT_EQ(results.version.suite_mask, 0);
  EXPECT_EQ(results.version.product_type, 0);
  EXPECT_EQ(system.calls, (std::vector<std::string>{"kernel32", "IsWow64Process", "GetSystemInfo",
                                                    "QueryVersion 148"}));
  FakeSystem seven;
  Identify(seven, results);
  EXPECT_EQ(seven.calls.back(), "QueryVersion 156");
  EXPECT_EQ(results.version.product_type, 1);
}

TEST(Identification, Wow64ReadsTheNativeArchitectureAndTheNativeRegistryView) {
  FakeSystem system;
  system.wow64 = true;
  system.native_architecture = 9;
  system.SetRegistry(EditionIdScript("Ultimate"));
  IdentificationResults results;
  Identify(system, results);
  EXPECT_TRUE(results.wow64);
  EXPECT_EQ(results.processor_architecture, 9);
  EXPECT_EQ(results.os_edition, "");  // an x64 workstation

  FakeSystem vista;
  vista.wow64 = true;
  vista.native_architecture = 0;  // unusual, but it makes the edition lookup run
  vista.minor = 0;
  vista.SetRegistry(EditionIdScript("Ultimate"));
  Identify(vista, results);
  EXPECT_EQ(results.os_edition, "Ultimate");
  bool asked_native_view = false;
  for (const auto& logged : vista.store.CallLog()) {
    if (logged.call.operation == InstrumentedStore::Operation::OpenKey) {
      asked_native_view = logged.call.access == (kKeyRead | kKeyWow64_64Key);
    }
  }
  EXPECT_TRUE(asked_native_view);
}

TEST(Identification, MissingEntriesFallBackToGetSystemInfoWithoutWow64) {
  for (Kernel32Entries entries :
       {Kernel32Entries{false, true, true}, Kernel32Entries{true, false, true},
        Kernel32Entries{true, true, false}}) {
    FakeSystem system;
    system.entries = entries;
    system.wow64 = true;
    system.native_architecture = 9;
    system.architecture = 0;
    IdentificationResults results;
    Identify(system, results);
    EXPECT_EQ(results.processor_architecture, 0);
    EXPECT_EQ(results.wow64, entries.module && entries.is_wow64_process);
  }
}

TEST(Identification, AFailedVersionQueryLeavesEverythingZero) {
  FakeSystem system;
  system.version_fails = true;
  system.SetRegistry(EditionIdScript("Ultimate"));
  IdentificationResults results;
  Identify(system, results);
  EXPECT_EQ(results.version.major, 0u);
  EXPECT_EQ(results.version.platform, 0u);
  EXPECT_EQ(results.os_edition, "");
  EXPECT_EQ(results.kind, osUnknown);
}

TEST(Identification, ServicePack6BecomesSixAWhenTheHotfixIsInstalled) {
  struct HotfixCase {
    const char* installed;  // the value line, or "" for none
    const char* csd;
    const char* expected;
  };
  for (const HotfixCase& c :
       {HotfixCase{"\"Installed\"=dword:00000001", "Service Pack 6", "Service Pack 6a"},
        HotfixCase{"\"Installed\"=\"1\"", "service pack 6", "Service Pack 6a"},
        HotfixCase{"\"Installed\"=\"one\"", "Service Pack 6", "Service Pack 6"},
        HotfixCase{"\"Installed\"=dword:00000002", "Service Pack 6", "Service Pack 6"},
        HotfixCase{"\"Installed\"=hex:01", "Service Pack 6", "Service Pack 6"},
        HotfixCase{"\"Installed\"=dword:00000001", "Service Pack 5", "Service Pack 5"},
        HotfixCase{"", "Service Pack 6", "Service Pack 6"}}) {
    FakeSystem system;
    Version(4, 0, 2, 0, 0, Csd(c.csd))(system);
    system.SetRegistry(std::string(kNt4Options) + "\"ProductType\"=\"WinNT\"\n" +
                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\"
                       "Hotfix\\Q246009]\n" +
                       c.installed + "\n");
    IdentificationResults results;
    Identify(system, results);
    EXPECT_EQ(CsdText(results.version), c.expected) << c.installed << " " << c.csd;
    EXPECT_EQ(results.os_edition, "Workstation");
  }
}

TEST(Identification, AnEditionIdOfAnotherTypeRaisesWithTheResultsAsFarAsTheyGot) {
  FakeSystem system;
  system.SetRegistry(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\"EditionID\"=dword:00000001\n");
  IdentificationResults results;
  EXPECT_THROW(
      {
        try {
          Identify(system, results);
        } catch (const ERegistryException& failure) {
          EXPECT_EQ(failure.Message(), "Invalid data type for 'EditionID'");
          throw;
        }
      },
      ERegistryException);
  EXPECT_EQ(results.version.major, 6u);
  EXPECT_EQ(results.os_edition, "");
  EXPECT_EQ(system.registry.OpenHandleCount(), 0u);
}

TEST(OperatingSystemInfo, StartsEmptyAndRefreshPublishesTheResults) {
  FakeSystem system;
  system.build = 0x04000A5Du;  // high bits as the 9x family reports them
  system.csd = "Service Pack 1";
  system.SetRegistry(EditionIdScript("Ultimate"));
  IdentificationResults results;
  Identify(system, results);
  TOperatingSystemInfo info(results);
  EXPECT_FALSE(info.LiveData());
  EXPECT_EQ(info.MajorVersion(), 0);
  EXPECT_EQ(info.OSEdition(), "");
  EXPECT_EQ(info.Platform(), opWin31);
  EXPECT_EQ(info.OS(), osUnknown);
  info.Refresh();
  EXPECT_TRUE(info.LiveData());
  EXPECT_EQ(info.MajorVersion(), 6);
  EXPECT_EQ(info.MinorVersion(), 1);
  EXPECT_EQ(info.BuildNumber(), 0x0A5D);
  EXPECT_EQ(info.Platform(), opWinNT);
  EXPECT_EQ(info.OSName(), "");
  EXPECT_EQ(info.OSEdition(), "Ultimate");
  EXPECT_EQ(info.CSD(), "Service Pack 1");
}

TEST(OperatingSystemInfo, PlatformIdsAboveTwoLeaveThePlatformAsItWas) {
  IdentificationResults results;
  TOperatingSystemInfo info(results);
  for (auto [platform, expected] :
       {std::pair{2u, opWinNT}, std::pair{3u, opWinNT}, std::pair{1u, opWin9x},
        std::pair{7u, opWin9x}, std::pair{0u, opWin31}}) {
    results.version.platform = platform;
    info.Refresh();
    EXPECT_EQ(info.Platform(), expected) << platform;
  }
}

TEST(OperatingSystemInfo, ASecondRefreshReportsTheEditionFoundAtStartUp) {
  FakeSystem system;
  system.SetRegistry(EditionIdScript("Ultimate"));
  IdentifyOnce(system);
  TOperatingSystemInfo info;
  info.Refresh();
  EXPECT_EQ(info.OSEdition(), "Ultimate");
  system.SetRegistry(EditionIdScript("Professional"));
  IdentifyOnce(system);  // runs once per process: nothing now
  info.Refresh();
  EXPECT_EQ(info.OSEdition(), "Ultimate");
  EXPECT_EQ(StartupResults().os_edition, "Ultimate");
}

}  // namespace
}  // namespace quillmark::testing
