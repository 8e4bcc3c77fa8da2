// Defaults: every tweak removed and the system values written, whatever was there.
#include <gtest/gtest.h>

#include <string>

#include "registry/tregistry.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "tweaks/restart_flag.h"

namespace quillmark::testing {
namespace {

TEST(SystemDefaults, ATweakedSystemGetsItsDefaultsBackAndReadsUnticked) {
  EngineHarness harness(kFreshWindows7);
  harness.TickExactly("xxxxxxxxxxxxxx");
  harness.engine.SetTweaks();
  restart_recommended = 0;
  harness.engine.WriteSystemDefaults();
  EXPECT_EQ(restart_recommended, 0);
  harness.engine.ProbeAll();
  EXPECT_EQ(harness.list.Boxes(), "..............");

  TRegistry registry(harness.registry);
  registry.SelectRoot(RootKey::ClassesRoot);
  EXPECT_FALSE(
      registry.KeyPresent("\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To"));
  EXPECT_FALSE(
      registry.KeyPresent("\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To"));
  EXPECT_TRUE(registry.KeyPresent("\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To"));
  EXPECT_FALSE(registry.KeyPresent("\\Directory\\shell\\runas"));
  EXPECT_TRUE(registry.KeyPresent("\\*\\shell\\runas"));  // made again, empty, by the probe
  registry.SelectRoot(RootKey::CurrentUser);
  ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Desktop", false));
  EXPECT_EQ(registry.ReadText("AutoEndTasks"), "0");
  EXPECT_EQ(registry.ReadText("HungAppTimeout"), "20000");
  EXPECT_EQ(registry.ReadText("LowLevelHooksTimeout"), "20000");
  ASSERT_TRUE(registry.OpenAsCurrent(
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", false));
  for (const char* name : {"NoLowDiskSpaceChecks", "LinkResolveIgnoreLinkInfo", "NoResolveSearch",
                           "NoResolveTrack", "NoInternetOpenWith"}) {
    EXPECT_EQ(registry.ReadNumber(name), 0) << name;
  }
  registry.SelectRoot(RootKey::LocalMachine);
  ASSERT_TRUE(registry.OpenAsCurrent("\\SYSTEM\\CurrentControlSet\\Control", false));
  EXPECT_EQ(registry.ReadText("WaitToKillServiceTimeout"), "20000");
  ASSERT_TRUE(registry.OpenAsCurrent(
      "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", false));
  EXPECT_EQ(registry.ReadNumber("ConsentPromptBehaviorAdmin"), 1);
  ASSERT_TRUE(
      registry.OpenAsCurrent("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteCompu"
                             "ter\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}",
                             false));
  EXPECT_EQ(registry.ReadText(""), "Printers");
}

TEST(SystemDefaults, OnAnEmptyRegistryTheFolderVerbsKeyIsMissingForItsDefault) {
  EngineHarness harness;
  EXPECT_EQ(RegistryFailure([&] { harness.engine.WriteSystemDefaults(); }),
            "Failed to set data for ''");
  EXPECT_EQ(harness.Snapshot(), "Windows Registry Editor Version 5.00\r\n\r\n");
  EXPECT_EQ(harness.registry.OpenHandleCount(), 0u);
}

TEST(SystemDefaults, AMissingPoliciesKeyStopsAtNoLowDiskSpaceChecks) {
  EngineHarness harness(
      std::string(kFreshWindows7) +
      "[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"MouseHoverTime\"=\"50\"\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here]\n");
  EXPECT_EQ(RegistryFailure([&] { harness.engine.WriteSystemDefaults(); }),
            "Failed to set data for 'NoLowDiskSpaceChecks'");
  TRegistry registry(harness.registry);
  registry.SelectRoot(RootKey::ClassesRoot);
  EXPECT_FALSE(registry.KeyPresent("\\Directory\\shell\\Command Prompt Here"));
  registry.SelectRoot(RootKey::CurrentUser);
  ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Desktop", false));
  EXPECT_EQ(registry.ReadText("LowLevelHooksTimeout"), "20000");
  ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Mouse", false));
  EXPECT_EQ(registry.ReadText("MouseHoverTime"), "50");
}

}  // namespace
}  // namespace quillmark::testing
