// The plan against the real command: over any registry state, for both profiles, and with any
// one call refused, the plan's lines are the difference the real command makes, and its rows and
// failure are the real command's; the store beneath the plan is only read.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cli/engine_command.h"
#include "cli/plan.h"
#include "regfile/registry_difference.h"
#include "regfile/registry_script.h"
#include "stores/overlay_registry.h"
#include "support/fixtures.h"
#include "support/instrumented_store.h"
#include "support/random_states.h"
#include "support/watched_store.h"
#include "tweaks/headless_tweak_list.h"
#include "tweaks/restart_flag.h"

namespace quillmark::testing {
namespace {

using Rights = MemoryRegistry::Rights;

constexpr const char* kEmpty = "Windows Registry Editor Version 5.00\n";

struct Outcome {
  std::vector<std::string> lines;
  std::string rows;
  std::optional<std::string> failure;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
  for (const std::string& line : outcome.lines) *out << "\n  " << line;
  *out << "\n  rows " << outcome.rows << "\n  failure " << outcome.failure.value_or("none");
}

bool operator==(const Outcome& a, const Outcome& b) {
  return a.lines == b.lines && a.rows == b.rows && a.failure == b.failure;
}

MemoryRegistry Load(const std::string& state, Rights rights) {
  MemoryRegistry registry = LoadSnapshot(state);
  registry.SetRights(rights);
  return registry;
}

// The real command: its difference between the registry before and after.
Outcome Real(const std::string& state, Rights rights, const EngineCommand& command,
             std::size_t refuse_call = 0) {
  MemoryRegistry registry = Load(state, rights);
  WatchedStore store(registry);
  store.refuse_call = refuse_call;
  HeadlessTweakList list;
  Outcome outcome;
  outcome.failure = RunEngineCommand(store, command, list);
  outcome.rows = list.Boxes();
  outcome.lines = RegistryDifference(LoadSnapshot(state), registry);
  return outcome;
}

OverlayRegistry::RootRights RightsOf(const MemoryRegistry& registry) {
  return [&registry](RootKey root, std::uint32_t access) { return registry.Grants(root, access); };
}

void ExpectOnlyRead(const MemoryRegistry& registry, const InstrumentedStore& watched,
                    const std::string& state) {
  EXPECT_EQ(SaveSnapshot(registry), SaveSnapshot(LoadSnapshot(state)));
  for (const auto& logged : watched.CallLog()) {
    const auto operation = logged.call.operation;
    EXPECT_TRUE(operation == InstrumentedStore::Operation::OpenKey ||
                operation == InstrumentedStore::Operation::CloseKey ||
                operation == InstrumentedStore::Operation::QueryValue ||
                operation == InstrumentedStore::Operation::EnumKey ||
                operation == InstrumentedStore::Operation::EnumValue ||
                operation == InstrumentedStore::Operation::QueryInfoKey)
        << OperationName(operation);
  }
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

// The plan as the command line makes it.
Outcome Planned(const std::string& state, Rights rights, const EngineCommand& command) {
  MemoryRegistry registry = Load(state, rights);
  InstrumentedStore watched(registry);
  HeadlessTweakList list;
  const Plan plan = MakePlan(watched, RightsOf(registry), command, list);
  ExpectOnlyRead(registry, watched, state);
  return {plan.changes, list.Boxes(), plan.failure};
}

// The plan with the n-th call of the engine refused, as the real command's n-th call is: the
// refusal stands between the engine and the overlay.
Outcome PlannedRefusing(const std::string& state, Rights rights, const EngineCommand& command,
                        std::size_t refuse_call) {
  MemoryRegistry registry = Load(state, rights);
  InstrumentedStore watched(registry);
  Outcome outcome;
  {
    OverlayRegistry overlay(watched, RightsOf(registry));
    WatchedStore refusing(overlay);
    refusing.refuse_call = refuse_call;
    HeadlessTweakList list;
    outcome.failure = RunEngineCommand(refusing, command, list);
    outcome.rows = list.Boxes();
    const OverlayRegistry::Region region = overlay.ChangedRegion();
    outcome.lines = RegistryDifference(region.before, region.after);
  }
  ExpectOnlyRead(registry, watched, state);
  return outcome;
}

std::size_t EngineCalls(const std::string& state, Rights rights, const EngineCommand& command) {
  MemoryRegistry registry = Load(state, rights);
  WatchedStore store(registry);
  HeadlessTweakList list;
  RunEngineCommand(store, command, list);
  return store.calls.size();
}

std::string AllInForce() {
  MemoryRegistry registry = LoadSnapshot(kFreshWindows7);
  HeadlessTweakList list;
  RunEngineCommand(registry, {EngineCommand::Kind::Apply, "xxxxxxxxxxxxxx"}, list);
  return SaveSnapshot(registry);
}

const EngineCommand kCommands[] = {
    {EngineCommand::Kind::Apply, "xxxxxxxxxxxxxx"}, {EngineCommand::Kind::Apply, ".............."},
    {EngineCommand::Kind::Apply, "x.x.x.x.x.x.x."}, {EngineCommand::Kind::Apply, ".x.x.x.x.x.x.x"},
    {EngineCommand::Kind::Apply, "x..x.........x"}, {EngineCommand::Kind::Defaults, ""},
};

TEST(Plan, EqualsTheRealCommandOnEveryFixtureForBothProfiles) {
  const std::string states[] = {kFreshWindows7, kOddTweaks, kEmpty, AllInForce()};
  int failures = 0;
  for (const std::string& state : states) {
    for (const EngineCommand& command : kCommands) {
      for (Rights rights : {Rights::Administrator, Rights::StandardUser}) {
        SCOPED_TRACE(state.substr(0, 120) + " / " + command.boxes +
                     (rights == Rights::StandardUser ? " / standard user" : " / administrator"));
        const Outcome real = Real(state, rights, command);
        EXPECT_EQ(Planned(state, rights, command), real);
        if (real.failure) ++failures;
      }
    }
  }
  EXPECT_GT(failures, 10);  // the table holds failures as well as complete runs
}

// Pieces of registry states: the tweaks' keys and values in force, as defaults, of other types,
// spelt otherwise, with neighbours, and namesakes directly below the roots.
TEST(Plan, EqualsTheRealCommandOnRandomStatesWithAnyCallRefused) {
  std::mt19937 random(20240501);
  int refused = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string state = RandomTweakState(random);
    EngineCommand command;
    if (random() % 5 == 0) {
      command.kind = EngineCommand::Kind::Defaults;
    } else {
      command.kind = EngineCommand::Kind::Apply;
      for (int row = 0; row < 14; ++row) command.boxes += random() % 2 == 0 ? 'x' : '.';
    }
    const Rights rights = random() % 3 == 0 ? Rights::StandardUser : Rights::Administrator;
    const std::size_t calls = EngineCalls(state, rights, command);
    const std::size_t refuse_call = random() % 4 == 0 ? 0 : 1 + random() % calls;
    SCOPED_TRACE("round " + std::to_string(round) + ", call " + std::to_string(refuse_call) +
                 " refused of " + std::to_string(calls) + "\n" + state);
    const Outcome real = Real(state, rights, command, refuse_call);
    EXPECT_EQ(PlannedRefusing(state, rights, command, refuse_call), real);
    if (refuse_call == 0) {
      EXPECT_EQ(Planned(state, rights, command), real);
    }
    if (real.failure) ++refused;
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(refused, 100);
}

// A plan of an Apply, whether it would succeed or fail, recommends no restart.
TEST(Plan, LeavesTheRestartFlagAsItFoundIt) {
  for (const Rights rights : {Rights::Administrator, Rights::StandardUser}) {
    for (const int before : {0, 1}) {
      restart_recommended = before;
      MemoryRegistry registry = Load(kFreshWindows7, rights);
      HeadlessTweakList list;
      const Plan plan = MakePlan(registry, RightsOf(registry),
                                 {EngineCommand::Kind::Apply, "xxxxxxxxxxxxxx"}, list);
      EXPECT_EQ(plan.failure.has_value(), rights == Rights::StandardUser);
      EXPECT_EQ(plan.changes.empty(), rights == Rights::StandardUser);
      EXPECT_EQ(restart_recommended, before);
    }
  }
}

}  // namespace
}  // namespace quillmark::testing
