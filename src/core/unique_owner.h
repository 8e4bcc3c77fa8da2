// The one move-only owner of a handle: it frees its handle once, with the call that handle
// needs. Portable, so that the registry's key handles and the windows' handles share it.
#pragma once

#include <utility>

namespace quillmark {

// Free is a function object called with the handle; it may carry what freeing needs (the store
// a key belongs to), and moves along with the handle.
template <typename T, typename Free, T Invalid = T{}>
class UniqueOwner {
 public:
  UniqueOwner() = default;
  explicit UniqueOwner(T handle, Free free = Free{}) : handle_(handle), free_(std::move(free)) {}
  UniqueOwner(UniqueOwner&& other) noexcept
      : handle_(std::exchange(other.handle_, Invalid)), free_(std::move(other.free_)) {}
  UniqueOwner& operator=(UniqueOwner&& other) noexcept {
    if (this != &other) {
      reset(std::exchange(other.handle_, Invalid));
      free_ = std::move(other.free_);
    }
    return *this;
  }
  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;
  ~UniqueOwner() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  T release() { return std::exchange(handle_, Invalid); }
  void reset(T handle = Invalid) {
    if (handle_ != Invalid) free_(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = Invalid;
  Free free_{};
};

}  // namespace quillmark
