#include "platform/whole_file.h"

#include "platform/failure_classes.h"
#include "platform/output_text_file.h"

namespace quillmark {

namespace {

constexpr std::uint32_t kChunk = 64 * 1024;
constexpr int kTemporaryNames = 9;

[[noreturn]] void Raise(int code) { throw EInOutError(code, IoErrorMessage(code)); }

[[noreturn]] void RaiseLastError(FileApi& files) { Raise(static_cast<int>(files.LastError())); }

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// The attempt-th name for the new file beside path, as long as path may be: the path with "~N"
// added, or in place of its last two characters when they belong to the file's own name.
std::string TemporaryName(const std::string& path, int attempt) {
  const std::string suffix = "~" + std::to_string(attempt);
  if (path.size() + suffix.size() <= OutputTextFile::kMaxNameLength) return path + suffix;
  const std::size_t keep = path.size() - suffix.size();
  for (std::size_t i = keep; i < path.size(); ++i) {
    if (IsSeparator(path[i])) return {};
  }
  if (keep == 0 || IsSeparator(path[keep - 1])) return {};
  return path.substr(0, keep) + suffix;
}

// Writes everything, closing the file in any case; the code of the first failure, or 0.
int WriteAll(FileApi& files, FileApi::Handle file, std::string_view content, bool flush) {
  int code = 0;
  for (std::size_t at = 0; code == 0 && at < content.size(); at += kChunk) {
    const auto size =
        static_cast<std::uint32_t>(std::min<std::size_t>(kChunk, content.size() - at));
    std::uint32_t written = 0;
    if (!files.Write(file, content.data() + at, size, &written)) {
      code = static_cast<int>(files.LastError());
    } else if (written != size) {
      code = kIoDiskFull;
    }
  }
  if (code == 0 && flush && !files.Flush(file)) code = static_cast<int>(files.LastError());
  if (!files.Close(file) && code == 0) code = static_cast<int>(files.LastError());
  return code;
}

}  // namespace

void WriteWholeFile(FileApi& files, const std::string& path, std::string_view content) {
  if (path.size() > OutputTextFile::kMaxNameLength || path.find('\0') != std::string::npos) {
    Raise(kIoInvalidFilename);
  }
  // The file as it is: one that may not be written, or a folder, is refused as the writer would
  // refuse it, and is not replaced behind its back.
  const FileApi::Handle existing = files.OpenExistingForWriting(path.c_str());
  if (existing == FileApi::kInvalidHandle) {
    if (files.LastError() != kFileNotFound) RaiseLastError(files);
  } else {
    const FileApi::Kind kind = files.FileKind(existing);
    files.Close(existing);
    if (kind != FileApi::Kind::Disk) {
      const FileApi::Handle device = files.CreateForWriting(path.c_str());
      if (device == FileApi::kInvalidHandle) RaiseLastError(files);
      if (const int code = WriteAll(files, device, content, false); code != 0) Raise(code);
      return;
    }
  }

  std::string temporary;
  FileApi::Handle file = FileApi::kInvalidHandle;
  for (int attempt = 1; attempt <= kTemporaryNames && file == FileApi::kInvalidHandle; ++attempt) {
    temporary = TemporaryName(path, attempt);
    if (temporary.empty()) Raise(kIoInvalidFilename);
    file = files.CreateNewForWriting(temporary.c_str());
    if (file == FileApi::kInvalidHandle && files.LastError() != kFileExists) {
      RaiseLastError(files);
    }
  }
  if (file == FileApi::kInvalidHandle) Raise(static_cast<int>(kFileExists));
  int code = WriteAll(files, file, content, true);
  if (code == 0 && !files.Replace(temporary.c_str(), path.c_str())) {
    code = static_cast<int>(files.LastError());
  }
  if (code != 0) {
    files.Remove(temporary.c_str());
    Raise(code);
  }
}

}  // namespace quillmark
