// A buffered text-file writer. None of its operations raises: each stores an I/O code in the
// pending code of the calling thread, and CheckIoResult, placed after every statement, turns a
// pending code into an EInOutError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fileio/file_api.h"
#include "fileio/file_destination.h"

namespace quillmark {

// The writer's own codes.
inline constexpr int kIoFileNotOpenForOutput = 105;
inline constexpr int kIoFileNotOpen = 103;
// A write the platform accepted only in part.
inline constexpr int kIoDiskFull = 101;
// A name that does not fit the name field.
inline constexpr int kIoInvalidFilename = 3;

// The code pending for this thread, 0 when none.
int PendingIoCode();

// Raises EInOutError for the pending code and clears it; nothing when none is pending.
void CheckIoResult();

// The message for an I/O code: "File access denied" for 5, "I/O error 32" for 32, ...
std::string IoErrorMessage(int code);

// A disk file is replaced only once it is written whole (platform/file_destination.h): until
// CloseFile has put it in place, the file under the name is as it was.
class OutputTextFile {
 public:
  static constexpr std::size_t kBufferCapacity = 128;
  static constexpr std::size_t kMaxNameLength = 259;

  explicit OutputTextFile(FileApi& files) : destination_(files) {}
  OutputTextFile(const OutputTextFile&) = delete;
  OutputTextFile& operator=(const OutputTextFile&) = delete;
  // A file still open is given up without its waiting bytes; the writer leaves nothing open and
  // no fresh file behind. A refused close stores its code, when none is pending.
  ~OutputTextFile();

  void BindName(const std::string& name);
  void OpenForWriting();
  void PutString(std::string_view text);
  void PutLineEnd();
  // Passes the waiting bytes on and puts the file in place. A refused step after the bytes
  // leaves it closed all the same, with the platform's code, and the file under the name as it
  // was.
  void CloseFile();
  // Gives the file up without its waiting bytes: the file under the name stays as it was, a
  // device or a pipe is only closed. Stores no code.
  void Discard();

  bool IsOpen() const { return destination_.IsOpen(); }

 private:
  void Append(const char* data, std::size_t size);
  bool PassWaitingBytes();
  void Fail(int code);

  FileDestination destination_;
  char line_end_[2] = {'\r', '\n'};
  std::size_t fill_ = 0;
  bool flush_each_line_ = false;
  bool name_fits_ = true;
  char name_[kMaxNameLength + 1] = {};
  char buffer_[kBufferCapacity] = {};
};

}  // namespace quillmark
