// Registry files in the encodings the registry editor writes: its real exports read as 8-bit
// Windows-1252 text and written back byte for byte, and the characters and sequences refused.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "regfile/registry_file_encoding.h"
#include "regfile/registry_script.h"
#include "registry/tregistry.h"
#include "support/fixtures.h"

namespace quillmark::testing {
namespace {

// What the export of HKEY_CURRENT_USER\Software\QuillmarkExport says, in Windows-1252.
constexpr std::string_view kExportText =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\QuillmarkExport]\r\n"
    "@=\"default text\"\r\n"
    "\"Bytes\"=hex:00,7f,80,ff\r\n"
    "\"EnableLUA\"=dword:00000001\r\n"
    "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"MenuShowDelay\"=\"400\"\r\n"
    "\"Path\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\QuillmarkExport\\Caf\xe9]\r\n"
    "\"Price\"=\"5 \x80 (\x8a)\"\r\n"
    "\r\n";

TEST(RegistryFileEncoding, RealExportsReadAsWindows1252AndWriteBackByteForByte) {
  struct Case {
    const char* what;
    std::string_view bytes;
    RegistryFileEncoding encoding;
  };
  const Case cases[] = {
      {"UTF-16LE", kRegeditExportUtf16Le, RegistryFileEncoding::Utf16LeWithMark},
      {"UTF-8", kRegeditExportUtf8, RegistryFileEncoding::Utf8WithMark},
      {"8-bit", kExportText, RegistryFileEncoding::CodePage},
  };
  for (const Case& c : cases) {
    const RegistryFileText decoded = DecodeRegistryFile(c.bytes);
    EXPECT_EQ(decoded.text, kExportText) << c.what;
    EXPECT_EQ(decoded.encoding, c.encoding) << c.what;
    EXPECT_EQ(EncodeRegistryFile(decoded.text, decoded.encoding), c.bytes) << c.what;
  }

  MemoryRegistry registry = LoadSnapshot(DecodeRegistryFile(kRegeditExportUtf16Le).text);
  TRegistry object(registry);
  ASSERT_TRUE(object.OpenAsCurrent("\\Software\\QuillmarkExport\\Caf\xe9", false));
  EXPECT_EQ(object.ReadText("Price"), "5 \x80 (\x8a)");
}

TEST(RegistryFileEncoding, AnExportBelowAnotherRootIsKeptAsItsLines) {
  const SnapshotDocument document =
      LoadSnapshotDocument(DecodeRegistryFile(kRegeditExportOtherRoot).text);
  EXPECT_EQ(SaveSnapshot(document.registry), "Windows Registry Editor Version 5.00\r\n\r\n");
  ASSERT_EQ(document.kept_sections.size(), 1u);
  EXPECT_EQ(document.kept_sections[0],
            "[HKEY_CURRENT_CONFIG\\Software\\Fonts]\r\n"
            "\"FIXEDFON.FON\"=\"vgafix.fon\"\r\n"
            "\"FONTS.FON\"=\"vgasys.fon\"\r\n"
            "\"LogPixels\"=dword:00000060\r\n"
            "\"OEMFONT.FON\"=\"vgaoem.fon\"");
}

TEST(RegistryFileEncoding, EveryByteSurvivesBothUnicodeEncodings) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  for (RegistryFileEncoding encoding :
       {RegistryFileEncoding::Utf16LeWithMark, RegistryFileEncoding::Utf8WithMark}) {
    const RegistryFileText back = DecodeRegistryFile(EncodeRegistryFile(all, encoding));
    EXPECT_EQ(back.text, all);
    EXPECT_EQ(back.encoding, encoding);
  }
  // The euro sign and the first of the five bytes the code page leaves free.
  EXPECT_EQ(EncodeRegistryFile("\x80\x81", RegistryFileEncoding::Utf16LeWithMark),
            std::string("\xff\xfe\xac\x20\x81\x00", 6));
  EXPECT_EQ(EncodeRegistryFile("\x80\x81", RegistryFileEncoding::Utf8WithMark),
            "\xef\xbb\xbf\xe2\x82\xac\xc2\x81");
}

std::string Utf16(std::u16string_view text) {
  std::string bytes = "\xff\xfe";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

TEST(RegistryFileEncoding, WhatWindows1252CannotHoldIsRefusedWithItsLine) {
  struct Case {
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {Utf16(u"a\r\nb\r\n\u0100"),
       "line 3: the character U+0100 has no place in the Windows-1252 code page"},
      {Utf16(u"a\rb\rc\r\U0001F30E"),
       "line 4: the character U+1F30E has no place in the Windows-1252 code page"},
      {Utf16(u"a\nb\n\n\u20ac\u0400"),
       "line 4: the character U+0400 has no place in the Windows-1252 code page"},
      {"\xef\xbb\xbf"
       "a\r\n\xc4\x80",
       "line 2: the character U+0100 has no place"},
      {Utf16(u"a\n") + "b", "line 2: the UTF-16 text ends in half a character"},
      {Utf16(u"a\n\xd83d"), "line 2: a UTF-16 surrogate has no partner"},
      {Utf16(u"\xdc00"), "line 1: a UTF-16 surrogate has no partner"},
      {Utf16(u"\xd83dx"), "line 1: a UTF-16 surrogate has no partner"},
      {"\xef\xbb\xbf\n\n\xe9t\xe9", "line 3: the text is not valid UTF-8"},
      {"\xef\xbb\xbf\xc0\xaf", "line 1: the text is not valid UTF-8"},
      {"\xef\xbb\xbf\xed\xa0\x80", "line 1: the text is not valid UTF-8"},
      {"\xef\xbb\xbf\xe2\x82", "line 1: the text is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    try {
      DecodeRegistryFile(c.bytes);
      ADD_FAILURE() << "decoded: " << ::testing::PrintToString(c.bytes);
    } catch (const SnapshotError& error) {
      EXPECT_EQ(error.Message().rfind(c.message, 0), 0u)
          << "got \"" << error.Message() << "\" for " << ::testing::PrintToString(c.bytes);
    }
  }
}

}  // namespace
}  // namespace quillmark::testing
