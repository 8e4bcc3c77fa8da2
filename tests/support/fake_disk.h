// Files in memory with folders, read-only files and a disk that fills up at a chosen byte: what
// real files cannot be made to do on demand.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_api.h"

namespace quillmark::testing {

class FakeDisk final : public FileApi {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders{""};
  std::set<std::string> read_only;
  std::size_t space = static_cast<std::size_t>(-1);  // bytes the disk takes before it is full
  std::vector<std::string> calls;

  Handle CreateForWriting(const char* name) override { return Fail("create", name, 1); }
  Handle OpenExistingForWriting(const char* name) override {
    calls.push_back(std::string("open existing ") + name);
    if (folders.contains(name) || read_only.contains(name)) return Fail(kAccessDenied);
    if (files.contains(name)) return Open(name);
    return Fail(folders.contains(Folder(name)) ? kFileNotFound : kPathNotFound);
  }
  Handle CreateNewForWriting(const char* name) override {
    calls.push_back(std::string("create new ") + name);
    if (!folders.contains(Folder(name))) return Fail(kPathNotFound);
    if (files.contains(name) || folders.contains(name)) return Fail(kFileExists);
    files[name];
    return Open(name);
  }
  Kind FileKind(Handle) override { return Kind::Disk; }
  bool Write(Handle file, const void* data, std::uint32_t size, std::uint32_t* written) override {
    *written = 0;
    if (size > space) {
      last_error_ = kDiskFull;
      return false;
    }
    space -= size;
    files[open_.at(file)].append(static_cast<const char*>(data), size);
    *written = size;
    return true;
  }
  bool Flush(Handle) override { return true; }
  bool Close(Handle file) override { return open_.erase(file) == 1; }
  bool Replace(const char* from, const char* to) override {
    calls.push_back(std::string("replace ") + to);
    if (read_only.contains(to) || !files.contains(from)) return Fail(kAccessDenied) != 0;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const char* name) override {
    calls.push_back(std::string("remove ") + name);
    return files.erase(name) == 1;
  }
  std::uint32_t LastError() override { return last_error_; }

 private:
  static std::string Folder(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? "" : name.substr(0, slash);
  }
  Handle Open(const std::string& name) {
    open_[++next_] = name;
    return next_;
  }
  Handle Fail(std::uint32_t code) {
    last_error_ = code;
    return kInvalidHandle;
  }
  Handle Fail(const char* what, const char* name, std::uint32_t code) {
    calls.push_back(std::string(what) + " " + name);
    return Fail(code);
  }

  std::map<Handle, std::string> open_;
  Handle next_ = 100;
  std::uint32_t last_error_ = 0;
};

}  // namespace quillmark::testing
