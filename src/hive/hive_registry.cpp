#include "hive/hive_registry.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "fileio/file_api.h"
#include "fileio/file_failure.h"
#include "fileio/file_messages.h"
#include "fileio/output_text_file.h"
#include "hive/hive_changes.h"
#include "hive/hive_messages.h"

namespace quillmark {

namespace {

// The security descriptor of a file on NTFS, as ntfs-3g shows it.
constexpr const char* kNtfsAcl = "system.ntfs_acl";

std::string Reason(int error) { return std::strerror(error); }

// The file's start, as much of the base block as it holds, and its size.
std::string ReadStart(const std::string& path, std::uint64_t& size, int& error) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) {
    error = errno;
    return {};
  }
  size = static_cast<std::uint64_t>(status.st_size);
  std::ifstream in(path, std::ios::binary);
  std::string start(kHiveBaseBlockSize, '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(in.gcount()));
  error = in.bad() || !in.is_open() ? EIO : 0;
  return start;
}

// Copies the NTFS security descriptor where the file system offers one; an empty text when done.
std::string CopySecurityDescriptor(const std::string& from, const std::string& to) {
  const ssize_t length = ::getxattr(from.c_str(), kNtfsAcl, nullptr, 0);
  if (length < 0) return errno == ENOTSUP || errno == ENODATA ? "" : Reason(errno);
  std::vector<char> descriptor(static_cast<std::size_t>(length));
  const ssize_t got = ::getxattr(from.c_str(), kNtfsAcl, descriptor.data(), descriptor.size());
  if (got < 0) return Reason(errno);
  if (::setxattr(to.c_str(), kNtfsAcl, descriptor.data(), static_cast<std::size_t>(got), 0) != 0) {
    return Reason(errno);
  }
  return {};
}

// The text-file writer's message for a code of the file destination.
std::string CodeReason(std::uint32_t code) { return IoErrorMessage(static_cast<int>(code)); }

}  // namespace

HiveRegistry::HiveRegistry(const std::string& path, RootKey root, Use use)
    : path_(path), root_(root), use_(use), lock_(FileLock::Acquire(path)) {
  const FileTarget target = FindTarget(path);
  switch (target.kind) {
    case FileKind::Folder:
      FailOnFile(path, kHiveIsFolder);
    case FileKind::Special:
      FailOnFile(path, kFileIsSpecial);
    case FileKind::DanglingLink:
      FailOnFile(path, kFileIsDanglingLink, target.path);
    case FileKind::LinkLoop:
      FailOnFile(path, kFileIsLinkLoop);
    case FileKind::Missing:
      FailOnFile(path, kHiveIsMissing);
    case FileKind::Regular:
      break;
  }
  if (use == Use::Change && !target.writable) FailOnFile(path, kFileIsReadOnly);
  target_ = target.path;

  std::uint64_t size = 0;
  int error = 0;
  const std::string start = ReadStart(target_, size, error);
  if (error != 0) FailOnFile(path, kFileCannotBeRead, Reason(error));
  if (std::string fault = HiveHeaderFault(start, size, header_); !fault.empty()) {
    FailOnFile(path, kHiveIsDamaged, fault);
  }
  if (!header_.Clean()) warning_ = path + ": " + kHiveMayBeOutOfDate;
  // A hive that may change is read into memory whole, and the changes go into that image at
  // the end; one that is only read is mapped.
  hive_ = HiveHandle(hivex_open(target_.c_str(), use == Use::Change ? HIVEX_OPEN_WRITE : 0));
  if (!hive_) FailOnFile(path, kHiveIsDamaged, Reason(errno));
  // Walked whole now, so that no command stops half way on a key that cannot be read.
  if (std::string fault = HiveWalkFault(hive_.get()); !fault.empty()) {
    FailOnFile(path, kHiveIsDamaged, fault);
  }
  reader_ = std::make_unique<HiveReader>(hive_.get(), root);
  overlay_ = std::make_unique<OverlayRegistry>(*reader_);
  // Made now, so that a place where it cannot be made stops the command before it runs.
  if (use == Use::Change) {
    if (const std::uint32_t code = OpenDestination(); code != 0) {
      FailOnFile(path, kFileCannotBeReplaced, CodeReason(code));
    }
  }
}

std::uint32_t HiveRegistry::OpenDestination() {
  auto destination = std::make_unique<FileDestination>(SystemFiles());
  if (const std::uint32_t code = destination->Open(target_.c_str()); code != 0) return code;
  // A regular file is always replaced through a fresh one; anything else was refused before.
  if (destination->FreshPath().empty()) return kAccessDenied;
  destination_ = std::move(destination);
  return 0;
}

HiveRegistry::~HiveRegistry() = default;

void HiveRegistry::Commit() {
  const std::vector<OverlayRegistry::KeyChanges> changes = overlay_->Changes();
  if (changes.empty()) return;
  if (use_ == Use::Read) FailOnFile(path_, kFileIsReadOnly);
  bool written = false;
  try {
    written = WriteChanges(changes);
  } catch (...) {
    destination_.reset();  // given up: a refused or failed command leaves nothing beside the hive
    // The image took some of the changes: it is read again from the file, which is as it was,
    // and every key keeps its place in it.
    HiveHandle again(hivex_open(target_.c_str(), HIVEX_OPEN_WRITE));
    if (again) {
      reader_->Rebind(again.get());
      hive_ = std::move(again);
    }
    throw;
  }
  if (written) {
    // The hive holds the changes now: the command's keys are closed, and reading starts afresh.
    overlay_.reset();
    reader_ = std::make_unique<HiveReader>(hive_.get(), root_);
    overlay_ = std::make_unique<OverlayRegistry>(*reader_);
  }
}

bool HiveRegistry::WriteChanges(const std::vector<OverlayRegistry::KeyChanges>& changes) {
  HiveExpectations expected;
  if (!ApplyHiveChanges(hive_.get(), header_, changes, *overlay_, root_, path_, expected)) {
    return false;
  }
  if (!header_.Clean()) FailOnFile(path_, kHiveNotShutDownCleanly);
  if (!destination_) {
    if (const std::uint32_t code = OpenDestination(); code != 0) {
      FailOnFile(path_, kFileNotWritten, CodeReason(code));
    }
  }
  // hivex writes the fresh file by its name; the destination's handle on it syncs those bytes.
  const std::string& written = destination_->FreshPath();
  if (hivex_commit(hive_.get(), written.c_str(), 0) != 0) {
    FailOnFile(path_, kFileNotWritten, Reason(errno));
  }

  std::uint64_t size = 0;
  int error = 0;
  HiveHeader header;
  const std::string start = ReadStart(written, size, error);
  std::string fault = error != 0 ? Reason(error) : HiveHeaderFault(start, size, header);
  if (fault.empty()) {
    HiveHandle check(hivex_open(written.c_str(), 0));
    fault = check ? HiveWrittenFault(check.get(), expected) : Reason(errno);
  }
  if (!fault.empty()) FailOnFile(path_, kHiveNotReadBack, fault);
  if (std::string refused = CopySecurityDescriptor(target_, written); !refused.empty()) {
    FailOnFile(path_, kFileNotWritten, refused);
  }
  // Flushed, closed, renamed over the hive and its folder synced; a refusal leaves nothing.
  const std::uint32_t code = destination_->Finish();
  destination_.reset();
  if (code != 0) FailOnFile(path_, kFileNotWritten, CodeReason(code));
  return true;
}

bool HiveRegistry::Foreign(RegKey key) const {
  return IsPredefinedHandle(key) && key != RootHandle(root_);
}

RegStatus HiveRegistry::OpenKey(RegKey base, const char* sub, std::uint32_t access,
                                RegKey* result) {
  if (Foreign(base)) return kErrorInvalidHandle;
  return overlay_->OpenKey(base, sub, access, result);
}

RegStatus HiveRegistry::CreateKey(RegKey base, const char* sub, std::uint32_t access,
                                  RegKey* result, std::uint32_t* disposition) {
  if (Foreign(base)) return kErrorInvalidHandle;
  return overlay_->CreateKey(base, sub, access, result, disposition);
}

RegStatus HiveRegistry::CloseKey(RegKey key) { return overlay_->CloseKey(key); }

RegStatus HiveRegistry::FlushKey(RegKey key) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->FlushKey(key);
}

RegStatus HiveRegistry::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                   std::uint8_t* data, std::uint32_t* size) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->QueryValue(key, name, type, data, size);
}

RegStatus HiveRegistry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->SetValue(key, name, type, data, size);
}

RegStatus HiveRegistry::DeleteValue(RegKey key, const char* name) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->DeleteValue(key, name);
}

RegStatus HiveRegistry::DeleteKey(RegKey base, const char* sub) {
  if (Foreign(base)) return kErrorInvalidHandle;
  return overlay_->DeleteKey(base, sub);
}

RegStatus HiveRegistry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                std::uint32_t* name_length) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->EnumKey(key, index, name, name_length);
}

RegStatus HiveRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                  std::uint32_t* name_length, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->EnumValue(key, index, name, name_length, type, data, size);
}

RegStatus HiveRegistry::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                     std::uint32_t* max_subkey_length) {
  if (Foreign(key)) return kErrorInvalidHandle;
  return overlay_->QueryInfoKey(key, subkeys, max_subkey_length);
}

}  // namespace quillmark
