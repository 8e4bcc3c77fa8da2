#pragma once

#include "core/version.h"

namespace quillmark {

// The caption of the main window, of the about box and of every error box.
inline constexpr const char* kApplicationTitle = "Quillmark " QUILLMARK_VERSION;

}  // namespace quillmark
