// The encodings registry files come in: 8-bit text in the system code page, and the registry
// editor's own UTF-16LE and UTF-8 with a byte-order mark. The registry and the scripts work on
// 8-bit text in Windows-1252; a file is written back in the encoding it was read in.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

enum class RegistryFileEncoding { CodePage, Utf8WithMark, Utf16LeWithMark };

struct RegistryFileText {
  std::string text;  // Windows-1252, without the byte-order mark
  RegistryFileEncoding encoding = RegistryFileEncoding::CodePage;
};

// The file's text by its byte-order mark (none: 8-bit text, taken as it is). Raises
// SnapshotError naming the line of a character Windows-1252 cannot hold or of a broken sequence.
// Lines end at CR LF, LF or CR.
RegistryFileText DecodeRegistryFile(std::string_view bytes);

// The bytes of the text in the encoding, with its byte-order mark.
std::string EncodeRegistryFile(std::string_view text, RegistryFileEncoding encoding);

}  // namespace quillmark
