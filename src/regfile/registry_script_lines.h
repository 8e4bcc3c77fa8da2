// The lines of a registry script as every writer of scripts writes them: the header, key lines,
// value lines and their data, each line ended by CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stores/memory_registry.h"

namespace quillmark {

inline constexpr std::string_view kRegistryScriptHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kScriptLineEnd = "\r\n";

bool HasLineBreak(std::string_view text);

// Appends the line and CR LF.
void AppendScriptLine(std::string& out, std::string_view line);

// "[path]", and "[-path]" that removes the key with its subkeys.
std::string KeyLine(std::string_view path);
std::string RemovedKeyLine(std::string_view path);

// A value's data in script notation, on one line: "text", dword:00000001, hex:01,02 or
// hex(N):... where the plain notations cannot carry its type or size. The bytes after hex(N) are
// the bytes as stored, text values' too, as regedit reads them from a file of 8-bit text.
std::string ScriptData(const MemoryRegistry::StoredValue& value);
// A value's name as a value line begins with it: "name" (escaped) or @.
std::string ScriptValueName(const std::string& name);
// A value line on one line, however long: "name"=data.
std::string ValueLine(const std::string& name, const MemoryRegistry::StoredValue& value);
// "name"=-, which deletes the value.
std::string RemovedValueLine(const std::string& name);
// Appends a value line ended by CR LF, long hex data continued on further lines. A name with a
// line break cannot be written (SnapshotError).
void AppendValueLine(std::string& out, const std::string& name,
                     const MemoryRegistry::StoredValue& value);

// The value's line when there is a value, else the line that deletes it.
void AppendValueOrRemoval(std::string& out, const std::string& name,
                          const std::optional<MemoryRegistry::StoredValue>& value);

// A REG_SZ value of the text with its terminating zero, and a REG_DWORD value.
MemoryRegistry::StoredValue TextValue(std::string_view text);
MemoryRegistry::StoredValue DwordValue(std::uint32_t number);

}  // namespace quillmark
