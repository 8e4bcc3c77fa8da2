// Test hives: the minimal hive of the fixtures copied into a fresh folder and grown with
// hivexregedit from a registry script; the tools that grow and read hives, run as programs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmark::testing {

struct ToolRun {
  int status = -1;
  std::string output;  // standard output and standard error together
};

// Runs a tool with its arguments through the shell; a tool that is missing fails the test,
// naming its package.
ToolRun RunTool(const std::string& tool, const std::string& arguments);

// A copy of tests/fixtures/minimal.hive at path (writable), grown by the script's lines, which
// name keys without a root ("[\Software\X]"); the script's first line is added.
void MakeHive(const std::filesystem::path& path, const std::string& script = "");
// Merges a script into an existing hive.
void GrowHive(const std::filesystem::path& path, const std::string& script);

// The hive as regfexport prints it.
std::string ExportHive(const std::filesystem::path& path);

// Bytes of a file at an offset, rewritten in place; and the base block's checksum put right.
void Patch(const std::filesystem::path& path, std::size_t offset, const std::string& bytes);
void FixChecksum(const std::filesystem::path& path);
std::string LittleEndian(std::uint32_t word);

}  // namespace quillmark::testing
