// Any single registry call refused: the operation behaves as without the fault up to that call,
// stops where the registry layer raises, runs nothing further, frees its registry object, and
// never deletes a key outside the tweaks' own keys.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/ascii_case.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "tweaks/restart_flag.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark::testing {
namespace {

using Operation = InstrumentedStore::Operation;

std::set<std::string> KeysOf(const std::string& snapshot) {
  std::set<std::string> keys;
  std::size_t at = 0;
  while ((at = snapshot.find("\r\n[", at)) != std::string::npos) {
    const std::size_t end = snapshot.find("]\r\n", at);
    keys.insert(snapshot.substr(at + 3, end - at - 3));
    at = end;
  }
  return keys;
}

// Whether the key is one of the tweaks' own keys that a tweak may remove, or lies below one.
bool MayBeRemoved(const std::string& key) {
  for (const TweakRow& row : kTweakRows) {
    for (const FootprintItem& item : row.footprint) {
      if (item.value != nullptr) continue;
      std::string own = std::string(RootName(item.root)) + item.key;
      if (own.back() == '\\') own.pop_back();
      if (EqualsNoCase(key, own) ||
          (key.size() > own.size() && EqualsNoCase(key.substr(0, own.size() + 1), own + "\\"))) {
        return true;
      }
    }
  }
  return false;
}

std::string RemovedOutsideTheTweaks(const std::string& before, const std::string& after) {
  const std::set<std::string> now = KeysOf(after);
  std::string removed;
  for (const std::string& key : KeysOf(before)) {
    if (!now.contains(key) && !MayBeRemoved(key)) removed += key + "; ";
  }
  return removed;
}

std::string Describe(const InstrumentedStore::LoggedCall& logged) {
  return std::string(OperationName(logged.call.operation)) + " " + logged.call.path + " '" +
         logged.call.value_name + "' -> " + std::to_string(logged.result);
}

struct Scenario {
  const char* name;
  std::string script;
  const char* boxes;
  std::function<void(TweakEngine&)> run;
  bool sets_flag;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class FailureInjection : public ::testing::TestWithParam<Scenario> {};

TEST_P(FailureInjection, EachRefusedCallStopsTheOperationCleanly) {
  const Scenario& scenario = GetParam();
  EngineHarness clean(scenario.script);
  clean.TickExactly(scenario.boxes);
  const std::string before = clean.Snapshot();
  ASSERT_EQ(RegistryFailure([&] { scenario.run(clean.engine); }), "");
  const std::vector<InstrumentedStore::LoggedCall> reference = clean.store.CallLog();
  EXPECT_EQ(RemovedOutsideTheTweaks(before, clean.Snapshot()), "");

  for (std::size_t n = 1; n <= reference.size(); ++n) {
    SCOPED_TRACE("refused call " + std::to_string(n) + ": " + Describe(reference[n - 1]));
    EngineHarness harness(scenario.script);
    harness.TickExactly(scenario.boxes);
    restart_recommended = 0;
    harness.store.FailCall(n, kErrorAccessDenied);
    const std::string message = RegistryFailure([&] { scenario.run(harness.engine); });
    const auto& log = harness.store.CallLog();

    ASSERT_GE(log.size(), n);
    for (std::size_t i = 0; i + 1 < n; ++i) {
      ASSERT_EQ(Describe(log[i]), Describe(reference[i])) << "call " << i + 1;
    }
    EXPECT_EQ(log[n - 1].result, kErrorAccessDenied);
    if (!message.empty()) {
      // The last call before the clean-up closes is the one that made the registry layer raise.
      std::size_t last = log.size();
      while (last > 0 && log[last - 1].call.operation == Operation::CloseKey) --last;
      ASSERT_GT(last, 0u);
      const auto& raising = log[last - 1];
      EXPECT_NE(raising.result, kErrorSuccess) << Describe(raising);
      switch (raising.call.operation) {
        case Operation::SetValue:
          EXPECT_EQ(message, "Failed to set data for '" + raising.call.value_name + "'");
          break;
        case Operation::QueryValue:
          EXPECT_EQ(message, "Failed to get data for '" + raising.call.value_name + "'");
          break;
        case Operation::CreateKey:
          EXPECT_EQ(message.rfind("Failed to create key ", 0), 0u) << message;
          break;
        default:
          ADD_FAILURE() << "raised after " << Describe(raising);
      }
    }
    EXPECT_EQ(harness.engine.Reg(), nullptr);
    // A refused close leaves its handle open, as on Windows; every other handle is closed.
    const bool refused_close = reference[n - 1].call.operation == Operation::CloseKey;
    EXPECT_EQ(harness.registry.OpenHandleCount(), refused_close ? 1u : 0u);
    EXPECT_EQ(restart_recommended, scenario.sets_flag ? 1 : 0);
    EXPECT_EQ(RemovedOutsideTheTweaks(before, harness.Snapshot()), "");
  }
}

// Keys named like the tweaks' verb keys, directly under the roots: a relative deletion whose
// parent did not open would find these.
const std::string kNamesakesAtTheRoots =
    "[HKEY_CLASSES_ROOT\\runas]\n[HKEY_CLASSES_ROOT\\Copy To]\n[HKEY_CLASSES_ROOT\\Move To]\n"
    "[HKEY_CLASSES_ROOT\\Command Prompt Here]\n[HKEY_CLASSES_ROOT\\Delete Folder Content]\n"
    "[HKEY_CLASSES_ROOT\\Open With Notepad]\n[HKEY_LOCAL_MACHINE\\RemoteComputer]\n";

const std::string kTweaked =
    std::string(kFreshWindows7) +
    "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\n"
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here\\command]\n"
    "[HKEY_CLASSES_ROOT\\*\\shell\\Open With Notepad\\command]\n"
    "[HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To]\n"
    "[HKEY_CLASSES_ROOT\\Directory\\shell\\Delete Folder Content]\n" +
    kNamesakesAtTheRoots;

INSTANTIATE_TEST_SUITE_P(
    Operations, FailureInjection,
    ::testing::Values(Scenario{"ProbeRun", kFreshWindows7, "xxxxxxxxxxxxxx",
                               [](TweakEngine& engine) { engine.ProbeAll(); }, false},
                      Scenario{"ApplyNothingTicked", kTweaked, "..............",
                               [](TweakEngine& engine) { engine.SetTweaks(); }, true},
                      Scenario{"ApplyAllTicked", kFreshWindows7, "xxxxxxxxxxxxxx",
                               [](TweakEngine& engine) { engine.SetTweaks(); }, true},
                      Scenario{"ApplyMixed", kTweaked, "x.x.x.x.x.x.x.",
                               [](TweakEngine& engine) { engine.SetTweaks(); }, true},
                      Scenario{"Defaults", kTweaked, "..............",
                               [](TweakEngine& engine) { engine.WriteSystemDefaults(); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmark::testing
