#pragma once

namespace quillmark {

enum TOSVersion {
  osUnknown,
  os95,
  os98,
  osME,
  osNT4,
  os2K,
  osXP,
  osXP64,
  os2K3,
  osVista,
  osLonghorn,
};

enum TOSPlatform { opWin31, opWin9x, opWinNT };

}  // namespace quillmark
