// What quillmark-cli says about the files it is given: each text follows the file's name and a
// colon; %s stands for a second path or for the system's reason.
#pragma once

namespace quillmark {

inline constexpr const char* kFileIsFolder = "a folder, not a registry snapshot file";
inline constexpr const char* kFileIsSpecial =
    "not a regular file but a FIFO, a device or a socket, which cannot be replaced safely";
inline constexpr const char* kFileIsDanglingLink = "a symbolic link to %s, which does not exist";
inline constexpr const char* kFileIsLinkLoop = "a symbolic link that leads round in a loop";
inline constexpr const char* kFileIsReadOnly =
    "not writable (it is read-only, or you may not write it), and the command would change it";
inline constexpr const char* kFileCannotBeReplaced =
    "cannot be replaced: no new file can be made beside it (%s)";
inline constexpr const char* kFileCannotBeRead = "cannot be read (%s)";
inline constexpr const char* kFileCannotBeHeld =
    "cannot be held against other quillmark-cli commands (%s)";
inline constexpr const char* kFileNotWritten =
    "the changed registry could not be written (%s); the file is as it was";

}  // namespace quillmark
