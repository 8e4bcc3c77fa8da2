// The general information text, word for word as the window is to show it: what the tests expect,
// kept apart from the program's own copy so that a change there shows.
#pragma once

#include <string>
#include <vector>

namespace quillmark::testing {

inline const std::vector<std::string> kGeneralTextLines = {
    "Quillmark is a small and simple utility to add a few useful extras.",
    "Select any row from the tweaks list to read information on it here in this window",
    "Check a checkbox to activate a tweak or uncheck to disable the tweak, and click apply",
    "More info can be found in the included readme.txt file",
};

}  // namespace quillmark::testing
