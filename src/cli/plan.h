// The plan of an engine command: the command itself, run over an overlay that keeps every change
// to itself, so that the store is never written; what it would change, the rows it would leave
// and the failure it would meet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/engine_command.h"
#include "stores/overlay_registry.h"
#include "tweaks/headless_tweak_list.h"

namespace quillmark {

struct Plan {
  std::vector<std::string> changes;  // in the lines of RegistryDifference
  std::optional<std::string> failure;
};

Plan MakePlan(RegistryApi& store, OverlayRegistry::RootRights root_rights,
              const EngineCommand& command, HeadlessTweakList& list);

}  // namespace quillmark
