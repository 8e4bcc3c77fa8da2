// What the hive store says about a hive file: each text follows the file's name and a colon; %s
// stands for a key or value, or for the reason. The refusals of a file that cannot be replaced
// safely are the snapshot files' own (fileio/file_messages.h).
#pragma once

namespace quillmark {

inline constexpr const char* kHiveIsFolder = "a folder, not a hive file";
inline constexpr const char* kHiveIsMissing = "there is no such hive file";
inline constexpr const char* kHiveIsDamaged = "not a hive file that can be used safely: %s";
inline constexpr const char* kHiveMayBeOutOfDate =
    "the hive was not shut down cleanly: its transaction logs may hold changes that have not "
    "reached it, so what it shows may be out of date";
inline constexpr const char* kHiveNotShutDownCleanly =
    "the hive was not shut down cleanly, and its transaction logs may hold changes that have not "
    "reached it, so it is not written; start that Windows and shut it down cleanly first";
inline constexpr const char* kHiveNewKeyNotAscii =
    "the new key %s has a name that is not ASCII, which the hive library may file in the wrong "
    "place; nothing was written";
inline constexpr const char* kHiveNewValueNotAscii =
    "the new value %s has a name that is not ASCII, which the hive library may file in the wrong "
    "place; nothing was written";
inline constexpr const char* kHiveValueTooBig =
    "the value %s is over 16,344 bytes, which this hive's format keeps in records the hive "
    "library does not write; nothing was written";
inline constexpr const char* kHiveKeyHoldsBigValue =
    "the key %s holds a value over 16,344 bytes, which the hive library would write again in a "
    "form the system misreads; nothing was written";
inline constexpr const char* kHiveNotReadBack =
    "the written hive did not read back as intended (%s); the file is as it was";

}  // namespace quillmark
