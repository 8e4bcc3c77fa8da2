// One engine command of the command line as the real command runs it: Apply of the rows, or
// Defaults, each followed by the read-back of every row, or the read-back alone.
#pragma once

#include <optional>
#include <string>

#include "registry/registry_api.h"
#include "tweaks/headless_tweak_list.h"

namespace quillmark {

struct EngineCommand {
  enum class Kind { Status, Apply, Defaults };
  Kind kind = Kind::Status;
  std::string boxes;  // for Apply: "x" ticked, "." not, one per row
};

// Runs the command over the store with the list's rows; the message of the failure that ended
// it, if one did. The list keeps the rows as they stand.
std::optional<std::string> RunEngineCommand(RegistryApi& store, const EngineCommand& command,
                                            HeadlessTweakList& list);

}  // namespace quillmark
