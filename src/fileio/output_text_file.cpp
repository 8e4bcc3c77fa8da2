#include "fileio/output_text_file.h"

#include <cstring>

#include "core/failure_classes.h"

namespace quillmark {

namespace {

thread_local int pending_io_code = 0;

struct IoMessage {
  int code;
  const char* text;
};

constexpr IoMessage kIoMessages[] = {
    {2, "File not found"},          {3, "Invalid filename"},          {4, "Too many open files"},
    {5, "File access denied"},      {100, "Read beyond end of file"}, {101, "Disk full"},
    {106, "Invalid numeric input"},
};

}  // namespace

int PendingIoCode() { return pending_io_code; }

std::string IoErrorMessage(int code) {
  for (const IoMessage& message : kIoMessages) {
    if (message.code == code) return message.text;
  }
  return "I/O error " + std::to_string(code);
}

void CheckIoResult() {
  const int code = pending_io_code;
  if (code == 0) return;
  pending_io_code = 0;
  throw EInOutError(code, IoErrorMessage(code));
}

OutputTextFile::~OutputTextFile() {
  // A refused close is not lost: it waits for the thread's next check, unless an earlier
  // failure already does.
  if (open_ && !files_.Close(handle_) && pending_io_code == 0) {
    Fail(static_cast<int>(files_.LastError()));
  }
}

void OutputTextFile::Fail(int code) { pending_io_code = code; }

void OutputTextFile::BindName(const std::string& name) {
  if (open_) files_.Close(handle_);
  handle_ = FileApi::kInvalidHandle;
  open_ = false;
  line_end_[0] = '\r';
  line_end_[1] = '\n';
  fill_ = 0;
  flush_each_line_ = false;
  made_disk_file_ = false;
  std::memset(name_, 0, sizeof name_);
  // A name that does not fit the field, or that a zero byte would cut short, names no file.
  name_fits_ = name.size() <= kMaxNameLength && name.find('\0') == std::string::npos;
  if (name_fits_) std::memcpy(name_, name.data(), name.size());
}

void OutputTextFile::OpenForWriting() {
  if (open_) CloseFile();
  if (!name_fits_) {
    Fail(kIoInvalidFilename);
    return;
  }
  fill_ = 0;
  flush_each_line_ = false;
  made_disk_file_ = false;
  handle_ = files_.CreateForWriting(name_);
  if (handle_ == FileApi::kInvalidHandle) {
    Fail(static_cast<int>(files_.LastError()));
    return;
  }
  switch (files_.FileKind(handle_)) {
    case FileApi::Kind::Unknown:
      files_.Close(handle_);
      handle_ = FileApi::kInvalidHandle;
      Fail(kIoFileNotOpenForOutput);
      return;
    case FileApi::Kind::Character:
      flush_each_line_ = true;
      break;
    case FileApi::Kind::Disk:
      made_disk_file_ = true;
      break;
    case FileApi::Kind::Pipe:
      break;
  }
  open_ = true;
}

void OutputTextFile::Discard() {
  if (open_) files_.Close(handle_);
  handle_ = FileApi::kInvalidHandle;
  open_ = false;
  fill_ = 0;
  if (made_disk_file_) files_.Remove(name_);
  made_disk_file_ = false;
}

bool OutputTextFile::PassWaitingBytes() {
  std::uint32_t written = 0;
  const auto size = static_cast<std::uint32_t>(fill_);
  fill_ = 0;  // passed on or lost, the bytes leave the buffer
  if (!files_.Write(handle_, buffer_, size, &written)) {
    Fail(static_cast<int>(files_.LastError()));
    return false;
  }
  if (written != size) {
    Fail(kIoDiskFull);
    return false;
  }
  return true;
}

void OutputTextFile::Append(const char* data, std::size_t size) {
  if (!open_) {
    Fail(kIoFileNotOpenForOutput);
    return;
  }
  while (size >= kBufferCapacity - fill_) {
    const std::size_t room = kBufferCapacity - fill_;
    std::memcpy(buffer_ + fill_, data, room);
    fill_ = kBufferCapacity;
    data += room;
    size -= room;
    if (!PassWaitingBytes()) return;
  }
  std::memcpy(buffer_ + fill_, data, size);
  fill_ += size;
}

void OutputTextFile::PutString(const std::string& text) { Append(text.data(), text.size()); }

void OutputTextFile::PutLineEnd() {
  Append(line_end_, sizeof line_end_);
  if (!open_) {
    Fail(kIoFileNotOpen);
    return;
  }
  if (flush_each_line_ && fill_ > 0) PassWaitingBytes();
}

void OutputTextFile::CloseFile() {
  if (!open_) {
    Fail(kIoFileNotOpen);
    return;
  }
  if (fill_ > 0 && !PassWaitingBytes()) return;
  // Refused or not, the handle is gone: closing it again could close another file's.
  const bool closed = files_.Close(handle_);
  handle_ = FileApi::kInvalidHandle;
  open_ = false;
  if (!closed) Fail(static_cast<int>(files_.LastError()));
}

}  // namespace quillmark
