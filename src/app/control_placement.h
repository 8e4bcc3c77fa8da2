// Where a control sits in its parent, in pixels at 96 dots per inch, and its place in the tab
// order.
#pragma once

namespace quillmark {

struct ControlPlacement {
  int left, top, width, height;
  int tab_order;  // -1: not a tab stop
};

}  // namespace quillmark
