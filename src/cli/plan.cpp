#include "cli/plan.h"

#include "regfile/registry_difference.h"
#include "tweaks/restart_flag.h"

namespace quillmark {

Plan MakePlan(RegistryApi& store, OverlayRegistry::RootRights root_rights,
              const EngineCommand& command, HeadlessTweakList& list) {
  const RestartFlagKept flag;  // a plan changes nothing real
  OverlayRegistry overlay(store, std::move(root_rights));
  Plan plan;
  plan.failure = RunEngineCommand(overlay, command, list);
  const OverlayRegistry::Region region = overlay.ChangedRegion();
  plan.changes = RegistryDifference(region.before, region.after);
  return plan;
}

}  // namespace quillmark
