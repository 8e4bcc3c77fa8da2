#include "hive/hive_text.h"

#include "regfile/windows_1252.h"

namespace quillmark {

namespace {

constexpr std::uint32_t kRegExpandSzType = 2;
constexpr std::uint32_t kRegMultiSzType = 7;
constexpr std::uint32_t kRegSzType = 1;

char ByteOf(char32_t character) {
  const auto byte = ToWindows1252(character);
  return byte ? static_cast<char>(*byte) : '?';
}

// The next character of UTF-8 text; a broken sequence gives U+FFFD for its first byte.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  std::size_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (more == 0 || at + more > text.size()) return 0xFFFD;
  char32_t character = lead & (0x3F >> more);
  for (std::size_t i = 0; i < more; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    character = (character << 6) | (next & 0x3F);
  }
  at += more;
  return character;
}

}  // namespace

std::string NameFromHive(std::string_view utf8) {
  std::string name;
  for (std::size_t at = 0; at < utf8.size();) name += ByteOf(NextCharacter(utf8, at));
  return name;
}

std::string NameToHive(std::string_view code_page) { return Windows1252ToUtf8(code_page); }

bool IsAscii(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsTextType(std::uint32_t type) {
  return type == kRegSzType || type == kRegExpandSzType || type == kRegMultiSzType;
}

HiveBytes DataToHive(std::uint32_t type, const HiveBytes& code_page) {
  if (!IsTextType(type)) return code_page;
  HiveBytes hive;
  hive.reserve(code_page.size() * 2);
  for (std::uint8_t byte : code_page) {
    const char32_t unit = FromWindows1252(byte);  // every character of the page is in the BMP
    hive.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    hive.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return hive;
}

HiveBytes DataFromHive(std::uint32_t type, const HiveBytes& hive) {
  if (!IsTextType(type)) return hive;
  HiveBytes code_page;
  code_page.reserve(hive.size() / 2);
  for (std::size_t i = 0; i + 1 < hive.size(); i += 2) {  // an odd last byte is no character
    const char32_t unit = hive[i] | (static_cast<char32_t>(hive[i + 1]) << 8);
    code_page.push_back(static_cast<std::uint8_t>(ByteOf(unit)));
  }
  return code_page;
}

}  // namespace quillmark
