// The built program's version resource and manifest carry the project's version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/project_version.h"

namespace quillmark::win32 {
namespace {

// The program as ctest names it, a Unix path, seen through Wine's drive for the root.
std::string ProgramPath() {
  const char* program = std::getenv("QUILLMARK_PROGRAM");
  if (!program) return "";
  std::string path = std::string("Z:") + program;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// "1.1" as four numbers: 1, 1, 0, 0.
std::vector<unsigned> ProjectNumbers() {
  std::vector<unsigned> numbers;
  std::istringstream parts(QUILLMARK_PROJECT_VERSION);
  std::string part;
  while (std::getline(parts, part, '.')) numbers.push_back(std::stoul(part));
  numbers.resize(4, 0);
  return numbers;
}

std::string Quad(const std::vector<unsigned>& numbers) {
  return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." +
         std::to_string(numbers[2]) + "." + std::to_string(numbers[3]);
}

TEST(VersionResource, TheProgramsFileAndProductVersionsAreTheProjects) {
  const std::string program = ProgramPath();
  ASSERT_FALSE(program.empty()) << "QUILLMARK_PROGRAM does not name the program to look at";
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &unused);
  ASSERT_GT(size, 0u) << program << " has no version resource, error " << GetLastError();
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, info.data()));

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  const std::vector<unsigned> expected = ProjectNumbers();
  const std::vector<unsigned> file = {
      HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
      HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
  const std::vector<unsigned> product = {
      HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
      HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS)};
  EXPECT_EQ(file, expected);
  EXPECT_EQ(product, expected);

  for (auto [name, text] : {std::pair{"FileVersion", Quad(expected)},
                            std::pair{"ProductVersion", std::string(QUILLMARK_PROJECT_VERSION)}}) {
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), &value, &length)) << name;
    EXPECT_EQ(std::string(static_cast<const char*>(value)), text) << name;
  }
}

TEST(VersionResource, TheProgramsManifestNamesTheProjectsVersion) {
  const std::string program = ProgramPath();
  ASSERT_FALSE(program.empty()) << "QUILLMARK_PROGRAM does not name the program to look at";
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << program << ", error " << GetLastError();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  const std::string manifest(bytes, SizeofResource(module, found));
  FreeLibrary(module);
  const std::string identity =
      "name=\"Quillmark.Quillmark\" version=\"" + Quad(ProjectNumbers()) + "\"";
  EXPECT_NE(manifest.find(identity), std::string::npos) << manifest;
}

}  // namespace
}  // namespace quillmark::win32
