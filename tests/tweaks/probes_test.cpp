// Each probe's tick and untick conditions, the keys probes create, and the reads that fail.
#include <gtest/gtest.h>

#include <string>

#include "support/engine_harness.h"
#include "support/fixtures.h"

namespace quillmark::testing {
namespace {

using Probe = void (TweakEngine::*)();

struct ProbeCase {
  const char* what;
  Probe probe;
  std::string script;  // the registry below the header
  std::string boxes;   // the whole list afterwards
  const char* failure = "";
};

const std::string kDesktop = "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n";
const std::string kPolicies =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n";
const std::string kExplorer =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kFileVerb = "[HKEY_CLASSES_ROOT\\*\\shell\\runas]\n";
const std::string kFolderVerb = "[HKEY_CLASSES_ROOT\\Directory\\shell\\runas]\n";
const std::string kOwner = "@=\"Take Ownership\"\n\"NoWorkingDirectory\"=\"\"\n";
const std::string kFileCommand =
    "@=\"cmd.exe /c takeown /f \\\"%V\\\" && icacls \\\"%V\\\" /grant administrators:F\"\n"
    "\"IsolatedCommand\"=\"cmd.exe /c takeown /f \\\"%V\\\" && icacls \\\"%V\\\" /grant "
    "administrators:F\"\n";
const std::string kFolderCommandText =
    "\"cmd.exe /c takeown /f \\\"%V\\\" /r /d y && icacls \\\"%V\\\" /grant administrators:F /t\"";
const std::string kFolderCommand =
    "@=" + kFolderCommandText + "\n\"IsolatedCommand\"=" + kFolderCommandText + "\n";
const std::string kEndTasks =
    kDesktop +
    "\"AutoEndTasks\"=\"1\"\n\"HungAppTimeout\"=\"5000\"\n"
    "\"WaitToKillAppTimeout\"=\"3000\"\n\"LowLevelHooksTimeout\"=\"1500\"\n";

const ProbeCase kCases[] = {
    {"both handlers", &TweakEngine::GetCopyAndMoveSettings,
     "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To]\n"
     "@=\"{C2FBB630-2971-11D1-A18C-00C04FD75D13}\"\n"
     "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To]\n"
     "@=\"{C2FBB631-2971-11D1-A18C-00C04FD75D13}\"\n",
     "xx............"},
    {"lower-case handler", &TweakEngine::GetCopyAndMoveSettings,
     "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\copy to]\n"
     "@=\"{c2fbb630-2971-11d1-a18c-00c04fd75d13}\"\n",
     ".............."},
    {"handler of another type", &TweakEngine::GetCopyAndMoveSettings,
     "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To]\n"
     "@=dword:00000001\n",
     "..............", "Invalid data type for ''"},

    {"end tasks, service time-out missing", &TweakEngine::GetEndTasksSettings, kEndTasks,
     "..x..........."},
    {"end tasks, service time-out default", &TweakEngine::GetEndTasksSettings,
     kEndTasks + "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]\n"
                 "\"WaitToKillServiceTimeout\"=\"20000\"\n",
     ".............."},
    {"end tasks, service time-out 12000", &TweakEngine::GetEndTasksSettings,
     kEndTasks + "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]\n"
                 "\"WaitToKillServiceTimeout\"=\"12000\"\n",
     "..x..........."},
    {"end tasks off", &TweakEngine::GetEndTasksSettings, kEndTasks + "\"AutoEndTasks\"=\"0\"\n",
     ".............."},
    {"hung time-out at its default", &TweakEngine::GetEndTasksSettings,
     kEndTasks + "\"HungAppTimeout\"=\"20000\"\n", ".............."},
    {"hooks time-out missing", &TweakEngine::GetEndTasksSettings,
     kEndTasks + "\"LowLevelHooksTimeout\"=-\n", ".............."},
    {"hung time-out as a number", &TweakEngine::GetEndTasksSettings,
     kEndTasks + "\"HungAppTimeout\"=dword:00001388\n", "..............",
     "Invalid data type for 'HungAppTimeout'"},

    {"menu delay 8", &TweakEngine::GetMenuShowSettings, kDesktop + "\"MenuShowDelay\"=\"8\"\n",
     "...x.........."},
    {"menu delay 08", &TweakEngine::GetMenuShowSettings, kDesktop + "\"MenuShowDelay\"=\"08\"\n",
     ".............."},
    {"menu delay with a blank", &TweakEngine::GetMenuShowSettings,
     kDesktop + "\"MenuShowDelay\"=\"8 \"\n", ".............."},
    {"menu delay missing", &TweakEngine::GetMenuShowSettings, kDesktop, ".............."},

    {"low disk check 1", &TweakEngine::GeltLowDiskSettings,
     kPolicies + "\"NoLowDiskSpaceChecks\"=dword:00000001\n", "....x........."},
    {"low disk check 2", &TweakEngine::GeltLowDiskSettings,
     kPolicies + "\"NoLowDiskSpaceChecks\"=dword:00000002\n", ".............."},
    {"low disk check as text", &TweakEngine::GeltLowDiskSettings,
     kPolicies + "\"NoLowDiskSpaceChecks\"=\"1\"\n", "..............",
     "Invalid data type for 'NoLowDiskSpaceChecks'"},
    {"no policies key", &TweakEngine::GeltLowDiskSettings, "", ".............."},

    {"short-cut values all 1", &TweakEngine::GetShortCutSettings,
     kPolicies + "\"LinkResolveIgnoreLinkInfo\"=dword:1\n\"NoResolveSearch\"=dword:1\n"
                 "\"NoResolveTrack\"=dword:1\n",
     ".....x........"},
    {"NoResolveTrack 2", &TweakEngine::GetShortCutSettings,
     kPolicies + "\"LinkResolveIgnoreLinkInfo\"=dword:1\n\"NoResolveSearch\"=dword:1\n"
                 "\"NoResolveTrack\"=dword:2\n",
     ".............."},
    {"NoResolveSearch missing", &TweakEngine::GetShortCutSettings,
     kPolicies + "\"LinkResolveIgnoreLinkInfo\"=dword:1\n\"NoResolveTrack\"=dword:1\n",
     ".............."},
    {"NoResolveTrack of eight bytes", &TweakEngine::GetShortCutSettings,
     kPolicies + "\"LinkResolveIgnoreLinkInfo\"=dword:1\n\"NoResolveSearch\"=dword:1\n"
                 "\"NoResolveTrack\"=hex(b):01,00,00,00,00,00,00,00\n",
     ".....x........", "Failed to get data for 'NoResolveTrack'"},

    {"open-with prompt off", &TweakEngine::GetInternetOpenWithSettings,
     kPolicies + "\"NoInternetOpenWith\"=dword:00000001\n", "......x......."},
    {"open-with prompt 0", &TweakEngine::GetInternetOpenWithSettings,
     kPolicies + "\"NoInternetOpenWith\"=dword:00000000\n", ".............."},

    {"take ownership complete", &TweakEngine::GetOwnershipSettings,
     kFileVerb + kOwner + "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\n" + kFileCommand +
         kFolderVerb + kOwner + "[HKEY_CLASSES_ROOT\\Directory\\shell\\runas\\COMMAND]\n" +
         kFolderCommand,
     ".......x......"},
    {"take ownership without the folder command's isolated copy",
     &TweakEngine::GetOwnershipSettings,
     kFileVerb + kOwner + "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\n" + kFileCommand +
         kFolderVerb + kOwner +
         "[HKEY_CLASSES_ROOT\\Directory\\shell\\runas\\command]\n@=" + kFolderCommandText + "\n",
     ".............."},
    {"take ownership without NoWorkingDirectory", &TweakEngine::GetOwnershipSettings,
     kFileVerb + "@=\"Take Ownership\"\n", ".............."},
    {"take ownership caption of another type", &TweakEngine::GetOwnershipSettings,
     kFileVerb + "@=hex:01\n", "..............", "Invalid data type for ''"},

    {"no remote computer key", &TweakEngine::GetNetworkPrintersSettings, kExplorer + "]\n",
     "........x....."},
    {"remote computer without namespace", &TweakEngine::GetNetworkPrintersSettings,
     kExplorer + "\\RemoteComputer]\n", "........x....."},
    {"remote computer with an empty namespace", &TweakEngine::GetNetworkPrintersSettings,
     kExplorer + "\\RemoteComputer\\NameSpace]\n", ".............."},
    {"no explorer key", &TweakEngine::GetNetworkPrintersSettings, "", "........x....."},

    {"command prompt verb without a command", &TweakEngine::GetCommandPSettings,
     "[HKEY_CLASSES_ROOT\\Directory\\shell\\command prompt here]\n", ".........x...."},
    {"command prompt verb missing", &TweakEngine::GetCommandPSettings,
     "[HKEY_CLASSES_ROOT\\Directory\\shell\\cmd]\n", ".............."},
    {"notepad verb", &TweakEngine::GetOpenNotepadSettings,
     "[HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad]\n", "..........x..."},
    {"notepad verb on folders", &TweakEngine::GetOpenNotepadSettings,
     "[HKEY_CLASSES_ROOT\\Directory\\shell\\Open With Notepad]\n", ".............."},
    {"delete content verb", &TweakEngine::GetDeleteFolderContentSettings,
     "[HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content\\command]\n", "...........x.."},

    {"hover time 50", &TweakEngine::GetMouseHoverTimeSettings,
     "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"50\"\n", "............x."},
    {"hover time 500", &TweakEngine::GetMouseHoverTimeSettings,
     "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"500\"\n", ".............."},
    {"hover time as a number", &TweakEngine::GetMouseHoverTimeSettings,
     "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=dword:32\n", "..............",
     "Invalid data type for 'MouseHoverTime'"},

    {"UAC off", &TweakEngine::GetUACSettings,
     "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
     "\"EnableLUA\"=dword:00000000\n",
     ".............x"},
    {"UAC 2", &TweakEngine::GetUACSettings,
     "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
     "\"EnableLUA\"=dword:00000002\n",
     ".............."},
    {"UAC value missing", &TweakEngine::GetUACSettings, "", "..............",
     "Failed to get data for 'EnableLUA'"},
    {"UAC value as text", &TweakEngine::GetUACSettings,
     "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\n"
     "\"EnableLUA\"=\"0\"\n",
     "..............", "Invalid data type for 'EnableLUA'"},
};

TEST(Probes, EachProbeTicksItsRowsOnlyOnItsExactConditions) {
  for (const ProbeCase& c : kCases) {
    EngineHarness harness(kScriptHeader + c.script);
    EXPECT_EQ(RegistryFailure([&] { (harness.engine.*c.probe)(); }), c.failure) << c.what;
    EXPECT_EQ(harness.list.Boxes(), c.boxes) << c.what;
    EXPECT_EQ(harness.engine.Reg(), nullptr) << c.what;
    EXPECT_EQ(harness.registry.OpenHandleCount(), 0u) << c.what;
  }
}

TEST(Probes, ProbesThatOpenWithCreationLeaveTheirKeysBehind) {
  EngineHarness harness(std::string(kScriptHeader) +
                        "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\"
                        "policies\\system]\n\"EnableLUA\"=dword:1\n");
  harness.engine.ProbeAll();
  EXPECT_EQ(harness.list.Boxes(), "........x.....");
  EXPECT_EQ(harness.Snapshot(),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\*]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\*\\shell]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\*\\shell\\runas]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Control Panel]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\software]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\software\\microsoft]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\policies]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\policies\\system]"
            "\r\n\"EnableLUA\"=dword:00000001\r\n\r\n");
}

TEST(Probes, TheServiceKeyIsCreatedOnlyWhenTheDesktopTestsPass) {
  EngineHarness passing(kScriptHeader + kEndTasks);
  passing.engine.GetEndTasksSettings();
  EXPECT_NE(passing.Snapshot().find("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]"),
            std::string::npos);
  EngineHarness failing(kScriptHeader + kEndTasks + "\"AutoEndTasks\"=\"0\"\n");
  failing.engine.GetEndTasksSettings();
  EXPECT_EQ(failing.Snapshot().find("HKEY_LOCAL_MACHINE"), std::string::npos);
}

TEST(Probes, ARowChangedTwiceInOneProbeIsReportedTwice) {
  EngineHarness harness(kScriptHeader + kPolicies +
                        "\"LinkResolveIgnoreLinkInfo\"=dword:1\n\"NoResolveSearch\"=dword:1\n"
                        "\"NoResolveTrack\"=dword:2\n");
  harness.engine.GetShortCutSettings();
  EXPECT_EQ(harness.changes, 2);
  EXPECT_FALSE(harness.list.Checked(5));
}

TEST(Probes, AFreshSystemReadsEveryRowUnticked) {
  EngineHarness harness(kFreshWindows7);
  harness.TickExactly("xxxxxxxxxxxxxx");
  harness.engine.ProbeAll();
  EXPECT_EQ(harness.list.Boxes(), "..............");
}

TEST(Probes, AFailingReadEndsTheRunWithTheRowsAsTheyStand) {
  EngineHarness harness(std::string(kFreshWindows7) + kPolicies +
                        "\"NoLowDiskSpaceChecks\"=\"1\"\n");
  harness.TickExactly("xxxxxxxxxxxxxx");
  EXPECT_EQ(RegistryFailure([&] { harness.engine.ProbeAll(); }),
            "Invalid data type for 'NoLowDiskSpaceChecks'");
  EXPECT_EQ(harness.list.Boxes(), "....xxxxxxxxxx");
  EXPECT_EQ(harness.registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace quillmark::testing
