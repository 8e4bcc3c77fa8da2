#include "fileio/file_system.h"

#include <utility>

namespace quillmark {

namespace {

constexpr std::intptr_t kNoHandle = -1;

}  // namespace

FileLock::FileLock(std::intptr_t handle, std::string path)
    : handle_(handle), path_(std::move(path)) {}

FileLock::FileLock(FileLock&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)), path_(std::move(other.path_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, kNoHandle);
    path_ = std::move(other.path_);
  }
  return *this;
}

FileLock::~FileLock() { Release(); }

}  // namespace quillmark
