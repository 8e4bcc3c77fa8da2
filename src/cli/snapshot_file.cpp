#include "cli/snapshot_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quillmark {

namespace {

[[noreturn]] void FileFailure(const std::string& path, const std::string& what) {
  throw Exception(path + ": " + what);
}

}  // namespace

MemoryRegistry ReadSnapshotFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return MemoryRegistry();
  std::ifstream file(path, std::ios::binary);
  if (!file) FileFailure(path, std::string("cannot be read: ") + std::strerror(errno));
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) FileFailure(path, "cannot be read");
  try {
    return LoadSnapshot(text.str());
  } catch (const SnapshotError& fault) {
    FileFailure(path, fault.Message());
  }
}

void WriteSnapshotFile(const std::string& path, const MemoryRegistry& registry) {
  const std::string text = SaveSnapshot(registry);
  // Written beside the file and moved over it, so that a failed write never leaves half a file.
  const std::string temporary = path + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      FileFailure(path, "cannot be written");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    FileFailure(path, "cannot be replaced");
  }
}

}  // namespace quillmark
