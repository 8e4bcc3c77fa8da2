// The backup puts back exactly what the tweaks own, whatever was done since and whatever other
// software added meanwhile, which stays; taking it only reads.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "regfile/registry_script.h"
#include "registry/registry_key_handle.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "support/instrumented_store.h"
#include "support/owned_state.h"
#include "tweaks/backup_script.h"

namespace quillmark::testing {
namespace {

using Operation = InstrumentedStore::Operation;

// Odd values in the places the tweaks own, which only hex(N) can carry.
const std::string kOddValues = std::string(kOddTweaks) +
                               "[HKEY_CLASSES_ROOT\\Directory\\shell\\runas\\command]\n"
                               "@=hex(2):25,53,79,73,25,5c,e9,00\n"
                               "\"Multi\"=hex(7):61,00,62,00,00\n"
                               "\"Lines\"=hex(1):61,0d,0a,62,00\n"
                               "\"Quote \\\" and \\\\\"=\"\"\n"
                               "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]\n"
                               "\"WaitToKillServiceTimeout\"=hex(0):\n";

// What other software does meanwhile: a verb, a desktop value, a policy, a namespace entry.
const char* const kOthersAdd =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\Theirs\\command]\n"
    "@=\"theirs.exe\"\n"
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
    "\"Theirs\"=\"1\"\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n"
    "\"Theirs\"=dword:00000002\n";

using Step = std::function<void(EngineHarness&)>;

Step Apply(const char* boxes) {
  return [boxes](EngineHarness& h) {
    h.TickExactly(boxes);
    RegistryFailure([&] {
      h.engine.SetTweaks();
      h.engine.ProbeAll();
    });
  };
}

Step Defaults() {
  return [](EngineHarness& h) {
    RegistryFailure([&] {
      h.engine.WriteSystemDefaults();
      h.engine.ProbeAll();
    });
  };
}

bool HasValue(const MemoryRegistry& registry, RootKey root, const char* key, const char* name) {
  const MemoryRegistry::Key* found = FindKey(registry, root, KeyNames(key));
  return found != nullptr && found->values.contains(name);
}

TEST(Backup, ImportedAfterAnyChangesItPutsBackWhatTheTweaksOwnAndKeepsTheRest) {
  const std::vector<std::vector<Step>> sequences = {
      {Apply("xxxxxxxxxxxxxx")},
      {Apply(".............."), Defaults()},
      {Defaults(), Apply("x.x.x.x.x.x.x.")},
      {Apply(".x.x.x.x.x.x.x"), Apply("xxxxxxxxxxxxxx"), Defaults()},
  };
  for (const std::string& state :
       {std::string(kFreshWindows7), kOddValues, std::string(kScriptHeader)}) {
    for (const auto& sequence : sequences) {
      EngineHarness harness(state);
      const std::string owned = OwnedState(harness.registry);
      const std::string backup = BackupScript(harness.registry, "now");
      for (const Step& step : sequence) step(harness);
      ASSERT_NE(OwnedState(harness.registry), owned);
      ApplyRegistryScript(harness.registry, kOthersAdd);
      ApplyRegistryScript(harness.registry, backup);

      EXPECT_EQ(OwnedState(harness.registry), owned);
      const MemoryRegistry::Key* theirs = FindKey(harness.registry, RootKey::ClassesRoot,
                                                  KeyNames("\\Directory\\shell\\Theirs\\command"));
      EXPECT_NE(theirs, nullptr);
      EXPECT_TRUE(
          HasValue(harness.registry, RootKey::CurrentUser, "\\Control Panel\\Desktop", "Theirs"));
      EXPECT_TRUE(HasValue(harness.registry, RootKey::CurrentUser,
                           "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                           "Theirs"));
      // Everything else that was there is there still, as it was.
      const MemoryRegistry before = LoadSnapshot(state);
      if (const MemoryRegistry::Key* send_to =
              FindKey(before, RootKey::ClassesRoot,
                      KeyNames("\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To"))) {
        const MemoryRegistry::Key* now =
            FindKey(harness.registry, RootKey::ClassesRoot,
                    KeyNames("\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To"));
        ASSERT_NE(now, nullptr);
        EXPECT_EQ(now->values.begin()->second.data, send_to->values.begin()->second.data);
      }
    }
  }
}

TEST(Backup, StartsWithTheHeaderAndOnlyReads) {
  MemoryRegistry memory = LoadSnapshot(kFreshWindows7);
  InstrumentedStore registry(memory);
  registry.ForgetCalls();
  const std::string before = SaveSnapshot(memory);
  const auto taken = std::chrono::sys_days(std::chrono::year(2024) / 5 / 1) +
                     std::chrono::hours(12) + std::chrono::minutes(34) + std::chrono::seconds(56);
  const std::string backup = BackupScript(registry, BackupTime(taken));
  EXPECT_EQ(backup.rfind("Windows Registry Editor Version 5.00\r\n\r\n"
                         "; Backup by Quillmark of the keys and values its tweaks own, taken "
                         "2024-05-01 12:34:56 UTC.\r\n"
                         "; Importing it puts them back as they were then; it removes no other "
                         "key, and leaves every\r\n; other value as it is.\r\n\r\n",
                         0),
            0u);
  EXPECT_EQ(SaveSnapshot(memory), before);
  for (const auto& logged : registry.CallLog()) {
    EXPECT_TRUE(logged.call.operation == Operation::OpenKey ||
                logged.call.operation == Operation::CloseKey ||
                logged.call.operation == Operation::QueryValue ||
                logged.call.operation == Operation::EnumKey ||
                logged.call.operation == Operation::EnumValue ||
                logged.call.operation == Operation::QueryInfoKey)
        << OperationName(logged.call.operation);
  }
  EXPECT_GT(registry.CallLog().size(), 20u);
}

TEST(Backup, StatesEachOwnedKeyAndValueOrItsAbsence) {
  MemoryRegistry registry = LoadSnapshot(kFreshWindows7);
  const std::string backup = BackupScript(registry, "now");
  for (const char* expected : {
           "[-HKEY_CLASSES_ROOT\\*\\shell\\runas]\r\n\r\n"
           "[-HKEY_CLASSES_ROOT\\Directory\\shell\\runas]\r\n\r\n[-HKEY_LOCAL_MACHINE",
           "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
           "RemoteComputer]\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
           "CurrentVersion\\Explorer\\RemoteComputer]\r\n\r\n",
           "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"AutoEndTasks\"=\"0\"\r\n"
           "\"HungAppTimeout\"=\"5000\"\r\n\"WaitToKillAppTimeout\"=\"20000\"\r\n"
           "\"LowLevelHooksTimeout\"=-\r\n\"MenuShowDelay\"=\"400\"\r\n\r\n",
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]"
           "\r\n\"EnableLUA\"=dword:00000001\r\n\"ConsentPromptBehaviorAdmin\"=dword:00000005\r\n",
           "[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n@=\"none\"\r\n\r\n",
       }) {
    EXPECT_NE(backup.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace quillmark::testing
