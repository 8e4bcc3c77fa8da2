// The plan over the live registry: not one call that writes reaches it, and it stays as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/engine_command.h"
#include "cli/plan.h"
#include "registry/tregistry.h"
#include "registry/win32_registry.h"
#include "support/watched_store.h"
#include "tweaks/headless_tweak_list.h"

namespace quillmark::testing {
namespace {

std::string MouseHoverTime(RegistryApi& store) {
  TRegistry registry(store, kKeyRead);
  registry.OpenAsCurrent("\\Control Panel\\Mouse", false);
  return registry.ReadText("MouseHoverTime");
}

TEST(PlanOnTheLiveRegistry, NotOneWriteCallReachesIt) {
  Win32Registry live;
  {
    TRegistry registry(live);
    ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Mouse", true));
    registry.WriteText("MouseHoverTime", "400");
  }
  const EngineCommand commands[] = {
      {EngineCommand::Kind::Apply, "xxxxxxxxxxxxxx"},
      {EngineCommand::Kind::Apply, ".............."},
      {EngineCommand::Kind::Defaults, ""},
  };
  std::vector<std::string> all_in_force;
  std::size_t calls = 0;
  for (const EngineCommand& command : commands) {
    WatchedStore watched(live);
    HeadlessTweakList list;
    const Plan plan = MakePlan(watched, nullptr, command, list);
    EXPECT_EQ(watched.Writes(), std::vector<std::string>{}) << command.boxes;
    calls += watched.calls.size();
    if (command.boxes == "xxxxxxxxxxxxxx") all_in_force = plan.changes;
  }
  EXPECT_GT(calls, 300u);
  EXPECT_NE(std::find(all_in_force.begin(), all_in_force.end(),
                      "~ [HKEY_CURRENT_USER\\Control Panel\\Mouse] \"MouseHoverTime\"=\"50\" (was "
                      "\"400\")"),
            all_in_force.end());
  EXPECT_EQ(MouseHoverTime(live), "400");
}

}  // namespace
}  // namespace quillmark::testing
