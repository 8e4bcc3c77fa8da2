// The deployment script, imported into a registry, leaves it exactly as Apply of the same rows
// and its read-back leave it, from any state; so do its two parts, in either order; and each part
// holds only its own roots.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "regfile/registry_script.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "tweaks/deployment_script.h"
#include "tweaks/restart_flag.h"

namespace quillmark::testing {
namespace {

std::string Applied(const char* state, const std::string& boxes) {
  EngineHarness harness(state);
  harness.TickExactly(boxes);
  EXPECT_EQ(RegistryFailure([&] {
              harness.engine.SetTweaks();
              harness.engine.ProbeAll();
            }),
            "");
  return harness.Snapshot();
}

std::string Imported(const char* state, const std::vector<std::string>& scripts) {
  MemoryRegistry registry = LoadSnapshot(state);
  for (const std::string& script : scripts) ApplyRegistryScript(registry, script);
  return SaveSnapshot(registry);
}

std::vector<std::string> Selections() {
  std::vector<std::string> selections{"xxxxxxxxxxxxxx", "..............", "x.x.x.x.x.x.x.",
                                      ".x.x.x.x.x.x.x"};
  std::mt19937 random(12);
  for (int i = 0; i < 12; ++i) {
    std::string boxes;
    for (int row = 0; row < 14; ++row) boxes += random() % 2 == 0 ? 'x' : '.';
    selections.push_back(boxes);
  }
  return selections;
}

// A registry that has every key and value of the tweaks in force, and the neighbours of the
// fresh system.
const std::string kAllInForce = Applied(kFreshWindows7, "xxxxxxxxxxxxxx");

TEST(DeploymentScript, ImportedItLeavesTheRegistryAsApplyDoesFromAnyState) {
  for (const char* state : {kFreshWindows7, kOddTweaks, kScriptHeader, kAllInForce.c_str()}) {
    for (const std::string& boxes : Selections()) {
      SCOPED_TRACE(boxes);
      const std::string applied = Applied(state, boxes);
      const std::string machine = DeploymentScript(boxes, ScriptPart::Machine);
      const std::string user = DeploymentScript(boxes, ScriptPart::User);
      EXPECT_EQ(Imported(state, {DeploymentScript(boxes, ScriptPart::Whole)}), applied);
      EXPECT_EQ(Imported(state, {machine, user}), applied);
      EXPECT_EQ(Imported(state, {user, machine}), applied);
    }
  }
}

TEST(DeploymentScript, EachPartHoldsOnlyItsOwnRoots) {
  for (const std::string& boxes : Selections()) {
    struct Case {
      ScriptPart part;
      std::vector<std::string> roots;
    };
    for (const Case& c : {Case{ScriptPart::Machine, {"HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE"}},
                          Case{ScriptPart::User, {"HKEY_CURRENT_USER"}}}) {
      const std::string script = DeploymentScript(boxes, c.part);
      std::size_t keys = 0;
      for (std::size_t at = script.find("\r\n["); at != std::string::npos;
           at = script.find("\r\n[", at + 1)) {
        std::string root = script.substr(at + 3, script.find_first_of("\\]", at + 3) - at - 3);
        if (root.front() == '-') root.erase(0, 1);
        EXPECT_NE(std::find(c.roots.begin(), c.roots.end(), root), c.roots.end()) << root;
        ++keys;
      }
      EXPECT_GT(keys, 2u);
    }
  }
}

TEST(DeploymentScript, SaysWhatItDoesAndWhichPartItIs) {
  const std::string script = DeploymentScript("x..x.........x", ScriptPart::User);
  EXPECT_EQ(script.rfind("Windows Registry Editor Version 5.00\r\n\r\n"
                         "; Deployment script by Quillmark for \"apply 0,3,13\": imported, it "
                         "leaves the tweaks' keys\r\n"
                         "; and values as that command and its read-back leave them, whatever "
                         "they were.\r\n"
                         "; This is the user part (HKEY_CURRENT_USER), for the log-on script of "
                         "each user.\r\n\r\n",
                         0),
            0u);
  EXPECT_NE(script.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                        "\"AutoEndTasks\"=-\r\n"
                        "\"HungAppTimeout\"=-\r\n"
                        "\"LowLevelHooksTimeout\"=-\r\n"
                        "\"MenuShowDelay\"=\"8\"\r\n"
                        "\"WaitToKillAppTimeout\"=-\r\n\r\n"),
            std::string::npos);
}

TEST(DeploymentScript, LeavesTheRestartFlagAsItFoundIt) {
  for (const int before : {0, 1}) {
    restart_recommended = before;
    DeploymentScript("xxxxxxxxxxxxxx", ScriptPart::Whole);
    EXPECT_EQ(restart_recommended, before);
  }
}

}  // namespace
}  // namespace quillmark::testing
