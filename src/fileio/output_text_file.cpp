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
  const std::uint32_t code = destination_.Abandon();
  if (code != 0 && pending_io_code == 0) Fail(static_cast<int>(code));
}

void OutputTextFile::Fail(int code) { pending_io_code = code; }

void OutputTextFile::BindName(const std::string& name) {
  destination_.Abandon();
  line_end_[0] = '\r';
  line_end_[1] = '\n';
  fill_ = 0;
  flush_each_line_ = false;
  std::memset(name_, 0, sizeof name_);
  // A name that does not fit the field, or that a zero byte would cut short, names no file.
  name_fits_ = name.size() <= kMaxNameLength && name.find('\0') == std::string::npos;
  if (name_fits_) std::memcpy(name_, name.data(), name.size());
}

void OutputTextFile::OpenForWriting() {
  if (IsOpen()) CloseFile();
  if (!name_fits_) {
    Fail(kIoInvalidFilename);
    return;
  }
  fill_ = 0;
  flush_each_line_ = false;
  if (const std::uint32_t code = destination_.Open(name_); code != 0) {
    Fail(static_cast<int>(code));
    return;
  }
  switch (destination_.Kind()) {
    case FileApi::Kind::Unknown:
      destination_.Abandon();
      Fail(kIoFileNotOpenForOutput);
      return;
    case FileApi::Kind::Character:
      flush_each_line_ = true;
      break;
    case FileApi::Kind::Disk:
    case FileApi::Kind::Pipe:
      break;
  }
}

void OutputTextFile::Discard() {
  destination_.Abandon();
  fill_ = 0;
}

bool OutputTextFile::PassWaitingBytes() {
  std::uint32_t written = 0;
  const auto size = static_cast<std::uint32_t>(fill_);
  fill_ = 0;  // passed on or lost, the bytes leave the buffer
  if (const std::uint32_t code = destination_.Write(buffer_, size, &written); code != 0) {
    Fail(static_cast<int>(code));
    return false;
  }
  if (written != size) {
    Fail(kIoDiskFull);
    return false;
  }
  return true;
}

void OutputTextFile::Append(const char* data, std::size_t size) {
  if (!IsOpen()) {
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

void OutputTextFile::PutString(std::string_view text) { Append(text.data(), text.size()); }

void OutputTextFile::PutLineEnd() {
  Append(line_end_, sizeof line_end_);
  if (!IsOpen()) {
    Fail(kIoFileNotOpen);
    return;
  }
  if (flush_each_line_ && fill_ > 0) PassWaitingBytes();
}

void OutputTextFile::CloseFile() {
  if (!IsOpen()) {
    Fail(kIoFileNotOpen);
    return;
  }
  if (fill_ > 0 && !PassWaitingBytes()) return;
  if (const std::uint32_t code = destination_.Finish(); code != 0) Fail(static_cast<int>(code));
}

}  // namespace quillmark
