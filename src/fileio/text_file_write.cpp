#include "fileio/text_file_write.h"

#include "fileio/unfinished_file.h"

namespace quillmark {

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

}  // namespace quillmark
