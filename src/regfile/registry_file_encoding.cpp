#include "regfile/registry_file_encoding.h"

#include <cstdio>
#include <optional>

#include "regfile/registry_script.h"
#include "regfile/windows_1252.h"

namespace quillmark {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

constexpr const char* kHalfUnit = "the UTF-16 text ends in half a character";
constexpr const char* kLoneSurrogate = "a UTF-16 surrogate has no partner";
constexpr const char* kBadUtf8 = "the text is not valid UTF-8";
constexpr const char* kNoSuchByte =
    "the character U+%04X has no place in the Windows-1252 code page";

// Counts lines as the script reader splits them: CR LF, LF and CR each end one.
class LineCounter {
 public:
  void See(char32_t c) {
    if (c == '\r' || (c == '\n' && previous_ != '\r')) ++line_;
    previous_ = c;
  }
  int Line() const { return line_; }

 private:
  int line_ = 1;
  char32_t previous_ = 0;
};

// Turns characters into Windows-1252, refusing those it has no byte for.
class Narrower {
 public:
  void Put(char32_t c) {
    const std::optional<unsigned char> byte = ToWindows1252(c);
    if (!byte) {
      char message[96];
      std::snprintf(message, sizeof message, kNoSuchByte, static_cast<unsigned>(c));
      throw SnapshotError(lines_.Line(), message);
    }
    text_ += static_cast<char>(*byte);
    lines_.See(c);
  }
  [[noreturn]] void Fail(const char* message) const { throw SnapshotError(lines_.Line(), message); }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  LineCounter lines_;
};

std::string FromUtf16Le(std::string_view bytes) {
  Narrower out;
  const auto unit = [&](std::size_t at) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  const std::size_t units_end = bytes.size() - bytes.size() % 2;
  for (std::size_t i = 0; i < units_end; i += 2) {
    const char32_t first = unit(i);
    if (first >= 0xDC00 && first <= 0xDFFF) out.Fail(kLoneSurrogate);
    if (first < 0xD800 || first > 0xDBFF) {
      out.Put(first);
      continue;
    }
    if (i + 2 >= units_end) out.Fail(kLoneSurrogate);
    const char32_t second = unit(i + 2);
    if (second < 0xDC00 || second > 0xDFFF) out.Fail(kLoneSurrogate);
    out.Put(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
    i += 2;
  }
  if (units_end != bytes.size()) out.Fail(kHalfUnit);
  return out.Take();
}

std::string FromUtf8(std::string_view bytes) {
  Narrower out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;  // the smallest character of this length: shorter forms are refused
    if (lead < 0x80) {
      length = 1;
      c = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      c = lead & 0x1Fu;
      least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      c = lead & 0x0Fu;
      least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07u;
      least = 0x10000;
    } else {
      out.Fail(kBadUtf8);
    }
    if (bytes.size() - i < length) out.Fail(kBadUtf8);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) out.Fail(kBadUtf8);
      c = c << 6 | (next & 0x3Fu);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) out.Fail(kBadUtf8);
    out.Put(c);
    i += length;
  }
  return out.Take();
}

}  // namespace

RegistryFileText DecodeRegistryFile(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LeMark)) {
    return {FromUtf16Le(bytes.substr(kUtf16LeMark.size())), RegistryFileEncoding::Utf16LeWithMark};
  }
  if (bytes.starts_with(kUtf8Mark)) {
    return {FromUtf8(bytes.substr(kUtf8Mark.size())), RegistryFileEncoding::Utf8WithMark};
  }
  return {std::string(bytes), RegistryFileEncoding::CodePage};
}

std::string EncodeRegistryFile(std::string_view text, RegistryFileEncoding encoding) {
  switch (encoding) {
    case RegistryFileEncoding::CodePage:
      break;
    case RegistryFileEncoding::Utf8WithMark:
      return std::string(kUtf8Mark) + Windows1252ToUtf8(text);
    case RegistryFileEncoding::Utf16LeWithMark: {
      std::string out(kUtf16LeMark);
      out.reserve(2 * text.size() + 2);
      for (char byte : text) {
        // Windows-1252 lies wholly in the basic plane: one unit per character.
        const char32_t c = FromWindows1252(static_cast<unsigned char>(byte));
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
      }
      return out;
    }
  }
  return std::string(text);
}

}  // namespace quillmark
