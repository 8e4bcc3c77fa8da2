#pragma once

namespace quillmark {

// The caption of the main window, of the about box and of every error box.
inline constexpr const char* kApplicationTitle = "Quillmark 1.1";

}  // namespace quillmark
