// Names and strings between the hive and the store interface. The interface speaks the system's
// 8-bit code page (Windows-1252), as the registry's A functions do; hivex hands names out in
// UTF-8, and the hive keeps strings in UTF-16LE. Strings convert as the A functions convert
// them: each byte to its character on the way in, each character to its byte (or '?') on the
// way out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

using HiveBytes = std::vector<std::uint8_t>;

// A name as hivex gives it (UTF-8) in the code page; characters it has none for become '?'.
std::string NameFromHive(std::string_view utf8);
// A name of the code page as hivex takes it.
std::string NameToHive(std::string_view code_page);
bool IsAscii(std::string_view name);

// Whether the A functions convert a value of this type.
bool IsTextType(std::uint32_t type);
// A value's bytes as the hive keeps them, from the bytes the interface was given.
HiveBytes DataToHive(std::uint32_t type, const HiveBytes& code_page);
// A value's bytes as the interface hands them out, from the bytes the hive keeps.
HiveBytes DataFromHive(std::uint32_t type, const HiveBytes& hive);

}  // namespace quillmark
