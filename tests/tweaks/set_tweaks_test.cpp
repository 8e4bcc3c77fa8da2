// Apply: what each row writes ticked and unticked, whoever wrote the keys before.
#include <gtest/gtest.h>

#include <string>

#include "registry/tregistry.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "tweaks/restart_flag.h"

namespace quillmark::testing {
namespace {

TEST(SetTweaks, EveryRowUntickedOnAnEmptyRegistry) {
  EngineHarness harness;
  restart_recommended = 0;
  harness.engine.SetTweaks();
  EXPECT_EQ(restart_recommended, 1);
  const std::string lm = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const std::string cu = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion";
  EXPECT_EQ(harness.Snapshot(),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\*]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\*\\shell]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\AllFilesystemObjects]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To]\r\n"
            "@=\"\"\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To]\r\n"
            "@=\"\"\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\Directory]\r\n\r\n"
            "[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n@=\"none\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Control Panel]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=\"400\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\r\n\"MouseHoverTime\"=\"400\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows]\r\n\r\n" +
                cu + "]\r\n\r\n" + cu + "\\Policies]\r\n\r\n" + cu +
                "\\Policies\\Explorer]\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft]\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows]\r\n\r\n" +
                lm + "]\r\n\r\n" + lm + "\\Explorer]\r\n\r\n" + lm +
                "\\Explorer\\RemoteComputer]\r\n\r\n" + lm +
                "\\Explorer\\RemoteComputer\\NameSpace]\r\n\r\n" + lm +
                "\\Explorer\\RemoteComputer\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}]"
                "\r\n@=\"Printers\"\r\n\r\n" +
                lm + "\\policies]\r\n\r\n" + lm +
                "\\policies\\system]\r\n"
                "\"ConsentPromptBehaviorAdmin\"=dword:00000001\r\n"
                "\"EnableLUA\"=dword:00000001\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SYSTEM]\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet]\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]\r\n"
                "\"WaitToKillServiceTimeout\"=\"12000\"\r\n\r\n");

  harness.engine.ProbeAll();
  EXPECT_EQ(harness.list.Boxes(), "..............");
  TRegistry registry(harness.registry);
  registry.SelectRoot(RootKey::ClassesRoot);
  EXPECT_TRUE(registry.KeyPresent("\\*\\shell\\runas"));  // the probe made it again
}

TEST(SetTweaks, EveryRowTickedWritesEveryTweak) {
  EngineHarness harness(kFreshWindows7);
  harness.TickExactly("xxxxxxxxxxxxxx");
  harness.engine.SetTweaks();
  TRegistry registry(harness.registry);
  struct Read {
    RootKey root;
    const char* key;
    const char* name;
    std::string text;  // numbers as "#n"
  };
  const RootKey cr = RootKey::ClassesRoot, cu = RootKey::CurrentUser, lm = RootKey::LocalMachine;
  const char* policies = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  const Read reads[] = {
      {cr, "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To", "",
       "{C2FBB630-2971-11D1-A18C-00C04FD75D13}"},
      {cr, "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To", "",
       "{C2FBB631-2971-11D1-A18C-00C04FD75D13}"},
      {cr, "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To", "",
       "{7BA4C740-9E81-11CF-99D3-00AA004AE837}"},
      {cu, "\\Control Panel\\Desktop", "AutoEndTasks", "1"},
      {cu, "\\Control Panel\\Desktop", "HungAppTimeout", "1000"},
      {cu, "\\Control Panel\\Desktop", "WaitToKillAppTimeout", "2000"},
      {cu, "\\Control Panel\\Desktop", "LowLevelHooksTimeout", "1000"},
      {cu, "\\Control Panel\\Desktop", "MenuShowDelay", "8"},
      {lm, "\\SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout", "2000"},
      {cu, policies, "NoLowDiskSpaceChecks", "#1"},
      {cu, policies, "LinkResolveIgnoreLinkInfo", "#1"},
      {cu, policies, "NoResolveSearch", "#1"},
      {cu, policies, "NoResolveTrack", "#1"},
      {cu, policies, "NoInternetOpenWith", "#1"},
      {cu, policies, "NoDriveTypeAutoRun", "#145"},
      {cr, "\\*\\shell\\runas", "", "Take Ownership"},
      {cr, "\\*\\shell\\runas", "NoWorkingDirectory", ""},
      {cr, "\\*\\shell\\runas\\command", "",
       "cmd.exe /c takeown /f \"%V\" && icacls \"%V\" /grant administrators:F"},
      {cr, "\\*\\shell\\runas\\command", "IsolatedCommand",
       "cmd.exe /c takeown /f \"%V\" && icacls \"%V\" /grant administrators:F"},
      {cr, "\\Directory\\shell\\runas", "", "Take Ownership"},
      {cr, "\\Directory\\shell\\runas\\command", "IsolatedCommand",
       "cmd.exe /c takeown /f \"%V\" /r /d y && icacls \"%V\" /grant administrators:F /t"},
      {cr, "\\Directory\\shell\\Command Prompt Here\\command", "", "cmd.exe /k cd %V"},
      {cr, "\\Directory\\shell\\Delete Folder Content\\command", "",
       "cmd /c cd /d \"%1\" && del /s /q *.*"},
      {cr, "\\Directory\\shell", "", "none"},
      {cr, "\\Directory\\shell\\cmd\\command", "", "cmd.exe /s /k pushd \"%V\""},
      {cr, "\\*\\shell\\Open With Notepad\\command", "", "NOTEPAD.EXE %V"},
      {cu, "\\Control Panel\\Mouse", "MouseHoverTime", "50"},
      {lm, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "EnableLUA", "#0"},
      {lm, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
       "ConsentPromptBehaviorAdmin", "#0"},
      {lm, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
       "PromptOnSecureDesktop", "#1"},
  };
  for (const Read& read : reads) {
    registry.SelectRoot(read.root);
    ASSERT_TRUE(registry.OpenAsCurrent(read.key, false)) << read.key;
    const std::string got = read.text.starts_with("#")
                                ? "#" + std::to_string(registry.ReadNumber(read.name))
                                : registry.ReadText(read.name);
    EXPECT_EQ(got, read.text) << read.key << " " << read.name;
  }
  registry.SelectRoot(lm);
  EXPECT_FALSE(registry.KeyPresent(
      "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer"));
}

TEST(SetTweaks, UntickedVerbsGoWithEverythingBelowThemWhoeverWroteIt) {
  EngineHarness harness(
      std::string(kFreshWindows7) +
      "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command\\extra]\n\"x\"=\"y\"\n"
      "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\other]\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell\\runas]\n@=\"Run as admin\"\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here\\a\\b]\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content]\n\"v\"=\"1\"\n"
      "[HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad\\command]\n@=\"x\"\n"
      "[HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad\\ddeexec]\n");
  harness.engine.SetTweaks();
  TRegistry registry(harness.registry);
  registry.SelectRoot(RootKey::ClassesRoot);
  for (const char* gone :
       {"\\*\\shell\\runas", "\\Directory\\shell\\runas", "\\Directory\\shell\\Command Prompt Here",
        "\\Directory\\shell\\Delete Folder Content", "\\*\\shell\\Open With Notepad"}) {
    EXPECT_FALSE(registry.KeyPresent(gone)) << gone;
  }
  for (const char* kept : {"\\Directory\\shell\\cmd\\command", "\\Directory\\shell\\find",
                           "\\*\\shellex\\ContextMenuHandlers\\Open With"}) {
    EXPECT_TRUE(registry.KeyPresent(kept)) << kept;
  }
}

TEST(SetTweaks, UntickedRowsTakeBackWhatTickedRowsWrote) {
  EngineHarness harness(kFreshWindows7);
  harness.TickExactly("xxxxxxx.......");
  harness.engine.SetTweaks();
  harness.TickExactly("..............");
  harness.engine.SetTweaks();
  TRegistry registry(harness.registry);
  registry.SelectRoot(RootKey::ClassesRoot);
  ASSERT_TRUE(registry.OpenAsCurrent(
      "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To", false));
  EXPECT_TRUE(registry.ValuePresent(""));
  EXPECT_EQ(registry.ReadText(""), "");
  registry.SelectRoot(RootKey::CurrentUser);
  ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Desktop", false));
  for (const char* name :
       {"AutoEndTasks", "HungAppTimeout", "WaitToKillAppTimeout", "LowLevelHooksTimeout"}) {
    EXPECT_FALSE(registry.ValuePresent(name)) << name;
  }
  EXPECT_EQ(registry.ReadText("MenuShowDelay"), "400");
  ASSERT_TRUE(registry.OpenAsCurrent(
      "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", false));
  for (const char* name : {"NoLowDiskSpaceChecks", "LinkResolveIgnoreLinkInfo", "NoResolveSearch",
                           "NoResolveTrack", "NoInternetOpenWith"}) {
    EXPECT_FALSE(registry.ValuePresent(name)) << name;
  }
  EXPECT_EQ(registry.ReadNumber("NoDriveTypeAutoRun"), 0x91);
  registry.SelectRoot(RootKey::LocalMachine);
  ASSERT_TRUE(registry.OpenAsCurrent("\\SYSTEM\\CurrentControlSet\\Control", false));
  EXPECT_EQ(registry.ReadText("WaitToKillServiceTimeout"), "12000");
}

TEST(SetTweaks, TheNetworkPrintersRowRemovesEveryNamespaceAndRestoresOnlyThePrinters) {
  EngineHarness harness(kFreshWindows7);
  const std::string remote =
      "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer";
  harness.TickExactly("........x.....");
  harness.engine.SetTweaks();
  TRegistry registry(harness.registry);
  registry.SelectRoot(RootKey::LocalMachine);
  EXPECT_FALSE(registry.KeyPresent(remote));

  harness.TickExactly("..............");
  harness.engine.SetTweaks();
  ASSERT_TRUE(registry.OpenAsCurrent(remote + "\\NameSpace", false));
  std::vector<std::string> entries;
  registry.ListSubkeys(entries);
  EXPECT_EQ(entries, std::vector<std::string>{"{863aa9fd-42df-457b-8e4d-0de1b8015c60}"});
  ASSERT_TRUE(registry.OpenAsCurrent("{863aa9fd-42df-457b-8e4d-0de1b8015c60}", false));
  EXPECT_EQ(registry.ReadText(""), "Printers");
}

}  // namespace
}  // namespace quillmark::testing
