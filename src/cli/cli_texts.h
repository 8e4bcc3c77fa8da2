// The texts quillmark-cli prints.
#pragma once

#include "core/version.h"

namespace quillmark {

inline constexpr const char* kCliUsage =
    "usage: quillmark-cli [--registry FILE] [--user] [--any-system] [--json] COMMAND\n"
    "commands:\n"
    "  list            the tweaks: index, caption, information text and name, tab-separated\n"
    "  status          read every tweak's state from the registry and print the rows\n"
    "  apply ROWS      tick exactly ROWS, write them to the registry, read every row back and\n"
    "                  print the rows\n"
    "  defaults        remove every tweak and write the system defaults, read back, print\n"
    "  plan ROWS       change nothing; print what \"apply ROWS\" would change, one line each,\n"
    "  plan defaults   or what \"defaults\" would, then the rows as they would read afterwards\n"
    "  backup FILE     write a registry script that puts back what the tweaks own as it is now\n"
    "  script ROWS FILE  write a registry script that does on any machine what \"apply ROWS\"\n"
    "                  does; it reads no registry\n"
    "  export FILE     write the restore file, a registry script that writes the system defaults\n"
    "                  whatever the registry held before\n"
    "  system          what the system check sees, and whether it passes; with --registry,\n"
    "                  of a simulated 32-bit Windows 7 whose registry is the snapshot\n"
    "ROWS: \"none\", \"all\", or a comma-separated list of row indexes (0 to 13), ranges of\n"
    "them (\"0-3\") and the rows' names from list (\"copy-to,uac\").\n"
    "options:\n"
    "  --registry FILE work on a registry snapshot file instead of the live registry: a registry\n"
    "                  script (\"Windows Registry Editor Version 5.00\") in 8-bit text, or as the\n"
    "                  registry editor writes it; a missing file is an empty registry. The file\n"
    "                  is held against other quillmark-cli commands while one runs, and replaced\n"
    "                  whole, in its own encoding, when the command changed the registry (never\n"
    "                  after plan or backup, which change nothing)\n"
    "  --user          with --registry: act as a user without administrator rights\n"
    "  --any-system    work on the live registry of any system, not only on the Windows 7 and\n"
    "                  Vista Ultimate the program itself runs on\n"
    "  --json          list, status, apply, defaults: print one JSON object instead of the rows\n"
    "  --backup FILE   with apply or defaults: write the backup first; if it cannot be written,\n"
    "                  nothing is changed\n"
    "  --part machine  with script: only the HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT lines\n"
    "  --part user     with script: only the HKEY_CURRENT_USER lines\n"
    "  -h, --help      print this text\n"
    "  --version       print the version\n"
    "Rows print as \"INDEX [x] CAPTION\" (ticked) or \"INDEX [ ] CAPTION\". A plan prints\n"
    "\"+ [KEY]\" and \"- [KEY]\" for keys made and removed, \"+ [KEY] NAME=DATA\",\n"
    "\"~ [KEY] NAME=DATA (was DATA)\" and \"- [KEY] NAME (was DATA)\" for values. Exit codes:\n"
    "0 done, 1 failed (the message follows \"error: \"; the rows then print as the command left\n"
    "the check boxes, not read back), 2 bad usage.\n";

inline constexpr const char* kCliVersion = "quillmark-cli " QUILLMARK_VERSION;

// After a failure, before the rows, and the line after them.
inline constexpr const char* kCliNotReadBack =
    "not read back: the command stopped at its failure; the check boxes as the window shows them "
    "now:";
inline constexpr const char* kCliStatusPointer = "what the registry holds now: quillmark-cli";

inline constexpr const char* kCliErrorPrefix = "error: ";

}  // namespace quillmark
