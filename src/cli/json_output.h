// The rows as one JSON object, for scripts (UTF-8; the texts are Windows-1252 inside).
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "tweaks/headless_tweak_list.h"

namespace quillmark {

// {"rows": [{"index", "name", "caption", "state": "ticked" or "unticked"}, ...],
//  "read_back": whether the rows are the registry's state, "error": the failure or null}.
// After a failure the rows are the check boxes as the command left them, not read back.
void PrintRowsJson(const HeadlessTweakList& list, const std::optional<std::string>& failure,
                   std::ostream& out);

// {"rows": [{"index", "name", "caption", "information"}, ...]}: the catalogue.
void PrintCatalogueJson(std::ostream& out);

}  // namespace quillmark
