// The texts of the main window.
#pragma once

#include <array>

namespace quillmark {

inline constexpr std::array<const char*, 4> kGeneralInfoLines = {
    "Quillmark is a small and simple utility to add a few useful extras.",
    "Select any row from the tweaks list to read information on it here in this window",
    "Check a checkbox to activate a tweak or uncheck to disable the tweak, and click apply",
    "More info can be found in the included readme.txt file",
};

inline constexpr const char* kStatusRunning = "Last Action: Quillmark is Running";

}  // namespace quillmark
