// A FileApi that writes nowhere: it records every call and refuses the ones a test chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/file_api.h"

namespace quillmark::testing {

// ERROR_INVALID_HANDLE, what CloseHandle gives for a handle it cannot close.
inline constexpr std::uint32_t kInvalidHandleCode = 6;

class RecordingFiles final : public FileApi {
 public:
  Kind kind = Kind::Disk;           // of what is under the name
  std::uint32_t refuse_open = 0;    // a code (kFileNotFound: nothing there), or 0 to open
  std::uint32_t refuse_create = 0;  // a code, or 0 to make the fresh file
  int names_taken = 0;              // the first fresh names are taken by others' files
  int refuse_write = 0;             // the n-th write (1 is the first) fails, 0 for none
  std::uint32_t refuse_write_code = kDiskFull;
  int short_write = 0;  // the n-th write takes one byte less, 0 for none
  std::uint32_t refuse_flush = 0;
  int refuse_close = 0;  // the n-th close fails, 0 for none
  std::uint32_t refuse_close_code = kInvalidHandleCode;
  std::uint32_t refuse_replace = 0;
  std::uint32_t refuse_sync = 0;

  // "open NAME", "kind", "create NAME like NAME", "write N", "flush", "close",
  // "replace NAME NAME", "sync NAME", "remove NAME"; a fresh name's random part shows as "*".
  std::vector<std::string> calls;
  std::vector<std::string> blocks;  // the bytes of each accepted write
  std::vector<std::string> made;    // the fresh names as given
  std::string Written() const {
    std::string all;
    for (const std::string& block : blocks) all += block;
    return all;
  }

  Handle OpenExisting(const char* name) override {
    calls.push_back(std::string("open ") + name);
    return refuse_open != 0 ? Refused(refuse_open) : 7;
  }
  Handle CreateNew(const char* name, const char* like) override {
    made.emplace_back(name);
    calls.push_back("create " + Shown(name) + " like " + like);
    if (names_taken > 0) {
      --names_taken;
      return Refused(kFileExists);
    }
    return refuse_create != 0 ? Refused(refuse_create) : 8;
  }
  Kind FileKind(Handle) override {
    calls.push_back("kind");
    return kind;
  }
  bool Write(Handle, const void* data, std::uint32_t size, std::uint32_t* written) override {
    calls.push_back("write " + std::to_string(size));
    ++writes_;
    if (writes_ == refuse_write) {
      last_error_ = refuse_write_code;
      *written = 0;
      return false;
    }
    *written = writes_ == short_write ? size - 1 : size;
    blocks.emplace_back(static_cast<const char*>(data), *written);
    return true;
  }
  bool Flush(Handle) override {
    calls.push_back("flush");
    return Passed(refuse_flush);
  }
  bool Close(Handle) override {
    calls.push_back("close");
    if (++closes_ == refuse_close) {
      last_error_ = refuse_close_code;
      return false;
    }
    return true;
  }
  bool Replace(const char* from, const char* to) override {
    calls.push_back("replace " + Shown(from) + " " + to);
    return Passed(refuse_replace);
  }
  bool SyncFolder(const char* name) override {
    calls.push_back(std::string("sync ") + name);
    return Passed(refuse_sync);
  }
  bool Remove(const char* name) override {
    calls.push_back("remove " + Shown(name));
    return true;
  }
  std::uint32_t LastError() override { return last_error_; }

 private:
  Handle Refused(std::uint32_t code) {
    last_error_ = code;
    return kInvalidHandle;
  }
  bool Passed(std::uint32_t refusal) {
    if (refusal != 0) last_error_ = refusal;
    return refusal == 0;
  }
  // "f.5f0c3a9e1b7d2486.tmp" as "f.*.tmp".
  static std::string Shown(const std::string& name) {
    const std::size_t end = name.size() - 4;
    if (name.size() < 22 || name.compare(end, 4, ".tmp") != 0 || name[end - 17] != '.') {
      return name;
    }
    return name.substr(0, end - 16) + "*" + name.substr(end);
  }

  std::uint32_t last_error_ = 0;
  int writes_ = 0;
  int closes_ = 0;
};

}  // namespace quillmark::testing
