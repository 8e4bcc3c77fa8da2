// The system's metrics without linking the window manager's library: the command line has no
// windows, and loads user32 only when a metric is asked for.
#pragma once

namespace quillmark {

// GetSystemMetrics(index) of user32, or 0 where user32 cannot be had. Windows only.
int SystemMetric(int index);

}  // namespace quillmark
