#include "fileio/file_destination.h"

#include "fileio/temporary_name.h"

namespace quillmark {

std::uint32_t FileDestination::Open(const char* target) {
  Abandon();
  target_ = target;
  const FileApi::Handle existing = files_.OpenExisting(target);
  if (existing == FileApi::kInvalidHandle) {
    const std::uint32_t code = files_.LastError();
    // Nothing there yet: made fresh all the same, so that a name that appears meanwhile is
    // replaced whole too.
    if (code == kFileNotFound || code == kPathNotFound) return MakeFresh();
    return code;
  }
  handle_ = decltype(handle_)(existing, Closer{&files_});
  kind_ = files_.FileKind(existing);
  if (kind_ != FileApi::Kind::Disk) return 0;
  // Opened only to learn that it may be written: it stays as it is until the fresh one is whole.
  handle_.reset();
  return MakeFresh();
}

std::uint32_t FileDestination::MakeFresh() {
  for (;;) {
    std::string fresh = TemporaryNameBeside(target_);
    const FileApi::Handle made = files_.CreateNew(fresh.c_str(), target_.c_str());
    if (made != FileApi::kInvalidHandle) {
      handle_ = decltype(handle_)(made, Closer{&files_});
      kind_ = FileApi::Kind::Disk;
      fresh_ = std::move(fresh);
      return 0;
    }
    const std::uint32_t code = files_.LastError();
    if (code != kFileExists) return code;
  }
}

std::uint32_t FileDestination::Write(const void* data, std::uint32_t size, std::uint32_t* written) {
  return files_.Write(handle_.get(), data, size, written) ? 0 : files_.LastError();
}

std::uint32_t FileDestination::Failed() {
  const std::uint32_t code = files_.LastError();
  Abandon();
  return code;
}

std::uint32_t FileDestination::Finish() {
  const bool fresh = !fresh_.empty();
  if (fresh && !files_.Flush(handle_.get())) return Failed();
  // Refused or not, the handle is gone: closing it again could close another file's.
  if (!files_.Close(handle_.release())) return Failed();
  if (!fresh) return 0;
  if (!files_.Replace(fresh_.c_str(), target_.c_str())) return Failed();
  fresh_.clear();
  // The file is whole in its place either way; a file system that will not sync a folder (some
  // refuse it) gives no reason to call the write failed.
  files_.SyncFolder(target_.c_str());
  return 0;
}

std::uint32_t FileDestination::Abandon() {
  std::uint32_t code = 0;
  if (handle_ && !files_.Close(handle_.release())) code = files_.LastError();
  if (!fresh_.empty()) files_.Remove(fresh_.c_str());
  fresh_.clear();
  return code;
}

}  // namespace quillmark
