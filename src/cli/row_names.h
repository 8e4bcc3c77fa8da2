// The short names of the rows, by index, as the command line takes and lists them.
#pragma once

#include <array>

#include "tweaks/tweak_catalogue.h"

namespace quillmark {

inline constexpr std::array<const char*, kTweakCount> kRowNames = {
    "copy-to",          "move-to",
    "end-tasks",        "menu-delay",
    "low-disk",         "link-resolve",
    "open-with-search", "take-ownership",
    "explorer-speed",   "command-prompt",
    "notepad",          "delete-content",
    "hover-time",       "uac",
};

}  // namespace quillmark
