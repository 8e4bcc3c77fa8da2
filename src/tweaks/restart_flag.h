// Set by every Apply, before any registry work; start-up clears it once the system gate has
// passed, and closing the main window reminds the user to restart while it is set.
#pragma once

namespace quillmark {

inline int restart_recommended = 0;

}  // namespace quillmark
