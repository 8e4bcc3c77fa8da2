// Names in the system code page: with double-byte characters on, a byte from 0x81 to 0xFE leads
// a two-byte character, which counts once.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillmark {

constexpr std::uint32_t CodePageCharacterCount(std::string_view name, bool double_byte) {
  if (!double_byte) return static_cast<std::uint32_t>(name.size());
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < name.size(); ++i, ++count) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < name.size()) ++i;
  }
  return count;
}

}  // namespace quillmark
