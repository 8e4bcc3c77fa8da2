// Without Windows there is no system code page: bytes stand for the first 256 code points.
#include "platform/code_page.h"

namespace quillmark {

std::u16string WidenText(std::string_view text) {
  std::u16string units;
  for (char c : text) units += static_cast<char16_t>(static_cast<unsigned char>(c));
  return units;
}

std::string NarrowText(std::u16string_view units) {
  std::string text;
  for (char16_t unit : units) text += unit < 0x100 ? static_cast<char>(unit) : '?';
  return text;
}

}  // namespace quillmark
