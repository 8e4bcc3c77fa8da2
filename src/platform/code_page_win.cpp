#include <windows.h>

#include "platform/code_page.h"

namespace quillmark {

std::u16string WidenText(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::u16string units(static_cast<std::size_t>(count), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(units.data()),
                      count);
  return units;
}

std::string NarrowText(std::u16string_view units) {
  if (units.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
  const int size = static_cast<int>(units.size());
  const int count = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, "?", nullptr);
  std::string text(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, size, text.data(), count, "?", nullptr);
  return text;
}

}  // namespace quillmark
