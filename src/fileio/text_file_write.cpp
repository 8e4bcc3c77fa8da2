#include "fileio/text_file_write.h"

#include "core/failure_classes.h"
#include "fileio/unfinished_file.h"

namespace quillmark {

namespace {

[[noreturn]] void Raise(std::uint32_t code) {
  throw EInOutError(static_cast<int>(code), IoErrorMessage(static_cast<int>(code)));
}

}  // namespace

void WriteTextFile(FileApi& files, const std::string& path, std::string_view text) {
  OutputTextFile file(files);
  file.BindName(path);
  file.OpenForWriting();
  CheckIoResult();
  FinishTextFile(file, text);
}

void FinishTextFile(OutputTextFile& file, std::string_view text) {
  UnfinishedFile unfinished(file);
  file.PutString(text);
  CheckIoResult();
  file.CloseFile();
  CheckIoResult();
  unfinished.Finished();
}

void OpenFileDestination(FileDestination& destination, const std::string& path) {
  if (const std::uint32_t code = destination.Open(path.c_str()); code != 0) Raise(code);
}

void FinishFileDestination(FileDestination& destination, std::string_view text) {
  const auto size = static_cast<std::uint32_t>(text.size());
  std::uint32_t written = 0;
  std::uint32_t code = destination.Write(text.data(), size, &written);
  if (code == 0 && written != size) code = kIoDiskFull;
  if (code != 0) {
    destination.Abandon();
    Raise(code);
  }
  if (code = destination.Finish(); code != 0) Raise(code);
}

}  // namespace quillmark
