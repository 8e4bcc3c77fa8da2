// Real files in tests: a fresh folder for each test, the names in it, and reading a file whole.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/failure_classes.h"
#include "fileio/file_api.h"

namespace quillmark::testing {

// An empty folder named after the running test, below the system's temporary folder.
inline std::filesystem::path FreshTestFolder(const std::string& prefix) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

// The names in a folder, sorted: what a command left behind.
inline std::vector<std::string> SortedNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace quillmark::testing
