// The Windows-1252 code page, the 8-bit system code page of the snapshot files: every byte has
// a character, the five bytes the code page leaves free standing for the control characters of
// the same number, as the system's own conversion maps them, so that any byte string survives a
// round trip through Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

char32_t FromWindows1252(unsigned char byte);

// The byte of a character, or nothing when the code page has none for it.
std::optional<unsigned char> ToWindows1252(char32_t character);

// Appends the UTF-8 form of a character (at most U+10FFFF, no surrogate).
void AppendUtf8(std::string& out, char32_t character);

std::string Windows1252ToUtf8(std::string_view text);

}  // namespace quillmark
