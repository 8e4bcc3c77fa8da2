#include "hive/hive_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "support/files.h"

namespace quillmark::testing {

namespace {

const char* PackageOf(const std::string& tool) {
  if (tool == "hivexregedit") return "libwin-hivex-perl";
  if (tool == "hivexsh") return "libhivex-bin";
  if (tool == "regfexport") return "libregf-utils";
  return "?";
}

}  // namespace

ToolRun RunTool(const std::string& tool, const std::string& arguments) {
  ToolRun run;
  if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) != 0) {
    ADD_FAILURE() << tool << " is missing: install the Debian package " << PackageOf(tool)
                  << " (scripts/setup does)";
    return run;
  }
  FILE* pipe = ::popen((tool + " " + arguments + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << tool;
    return run;
  }
  char block[4096];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, pipe)) > 0;) {
    run.output.append(block, got);
  }
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

void GrowHive(const std::filesystem::path& path, const std::string& script) {
  const std::filesystem::path file = path.string() + ".grow.reg";
  {
    std::ofstream out(file, std::ios::binary);
    out << "Windows Registry Editor Version 5.00\n\n" << script;
  }
  const ToolRun run =
      RunTool("hivexregedit", "--merge '" + path.string() + "' '" + file.string() + "'");
  std::filesystem::remove(file);
  ASSERT_EQ(run.status, 0) << run.output << script;
}

void MakeHive(const std::filesystem::path& path, const std::string& script) {
  std::filesystem::copy_file(std::filesystem::path(QUILLMARK_FIXTURES) / "minimal.hive", path,
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  if (!script.empty()) GrowHive(path, script);
}

std::string ExportHive(const std::filesystem::path& path) {
  const ToolRun run = RunTool("regfexport", "'" + path.string() + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  return run.output;
}

void Patch(const std::filesystem::path& path, std::size_t offset, const std::string& bytes) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << path;
}

std::string LittleEndian(std::uint32_t word) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((word >> (8 * i)) & 0xFF);
  return bytes;
}

void FixChecksum(const std::filesystem::path& path) {
  const std::string bytes = ReadWholeFile(path);
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < 508; at += 4) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    sum ^= word;
  }
  Patch(path, 508, LittleEndian(sum));
}

}  // namespace quillmark::testing
