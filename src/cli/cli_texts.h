// The texts quillmark-cli prints.
#pragma once

namespace quillmark {

inline constexpr const char* kCliUsage =
    "usage: quillmark-cli [--registry FILE] [--user] [--any-system] COMMAND\n"
    "commands:\n"
    "  list            the tweaks: index, caption and information text, tab-separated\n"
    "  status          read every tweak's state from the registry and print the rows\n"
    "  apply ROWS      tick exactly ROWS (comma-separated indexes 0 to 13, \"none\" or \"all\"),\n"
    "                  write them to the registry, read every row back and print the rows\n"
    "  defaults        remove every tweak and write the system defaults, read back, print\n"
    "  plan ROWS       change nothing; print what \"apply ROWS\" would change, one line each,\n"
    "  plan defaults   or what \"defaults\" would, then the rows as they would read afterwards\n"
    "  backup FILE     write a registry script that puts back what the tweaks own as it is now\n"
    "  script ROWS FILE  write a registry script that does on any machine what \"apply ROWS\"\n"
    "                  does; it reads no registry\n"
    "  export FILE     write the restore file, a registry script of the system defaults\n"
    "  system          what the system check sees, and whether it passes; with --registry,\n"
    "                  of a simulated 32-bit Windows 7 whose registry is the snapshot\n"
    "options:\n"
    "  --registry FILE work on a registry snapshot file instead of the live registry; a missing\n"
    "                  file is an empty registry, and the file is written back when the\n"
    "                  command ends (not after plan or backup, which change nothing)\n"
    "  --user          with --registry: act as a user without administrator rights\n"
    "  --any-system    work on the live registry of any system, not only on the Windows 7 and\n"
    "                  Vista Ultimate the program itself runs on\n"
    "  --backup FILE   with apply or defaults: write the backup first; if it cannot be written,\n"
    "                  nothing is changed\n"
    "  --part machine  with script: only the HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT lines\n"
    "  --part user     with script: only the HKEY_CURRENT_USER lines\n"
    "  --help          print this text\n"
    "Rows print as \"INDEX [x] CAPTION\" (ticked) or \"INDEX [ ] CAPTION\". A plan prints\n"
    "\"+ [KEY]\" and \"- [KEY]\" for keys made and removed, \"+ [KEY] NAME=DATA\",\n"
    "\"~ [KEY] NAME=DATA (was DATA)\" and \"- [KEY] NAME (was DATA)\" for values. Exit codes:\n"
    "0 done, 1 failed (the rows print as they stand, the message follows \"error: \"), 2 bad\n"
    "usage.\n";

inline constexpr const char* kCliErrorPrefix = "error: ";

}  // namespace quillmark
