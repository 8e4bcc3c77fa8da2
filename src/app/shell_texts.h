// The texts of the main window: memo lines, status texts and dialog texts.
#pragma once

#include <array>

#include "app/shell_controls.h"

namespace quillmark {

inline constexpr std::array<const char*, 4> kGeneralInfoLines = {
    "Quillmark is a small and simple utility to add a few useful extras.",
    "Select any row from the tweaks list to read information on it here in this window",
    "Check a checkbox to activate a tweak or uncheck to disable the tweak, and click apply",
    "More info can be found in the included readme.txt file",
};

inline constexpr const char* kStatusRunning = "Last Action: Quillmark is Running";
inline constexpr const char* kStatusApply = "Last Action: Apply changes to system";
inline constexpr const char* kStatusRefresh = "Last Action: Refresh view";
inline constexpr const char* kStatusAbout = "Last Action: Show about modal";
inline constexpr const char* kStatusExport = "Last Action: Export default settings to reg file";
inline constexpr const char* kStatusDefaults = "Last Action: Restore default settings";

inline constexpr const char* kApplyQuestion = "Apply changes to system ?";
inline constexpr const char* kDefaultsQuestion = "This will remove all tweaks, continue ?";
// The line break is a line feed followed by a carriage return, in that order.
inline constexpr const char* kRestartReminder =
    "it is recommended to restart your computer for some\n\r"
    "of the changes made by Quillmark to take effect";

inline constexpr SaveDialogSettings kExportDialog = {"Save Default Settings",
                                                     "registry file (*.reg)", "*.reg", "reg"};
inline constexpr const char* kExportInitialName = "RestoreFromTewaks";

}  // namespace quillmark
