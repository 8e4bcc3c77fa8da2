#include "fileio/text_file_write.h"

#include "fileio/output_text_file.h"
#include "fileio/unfinished_file.h"

namespace quillmark {

void WriteTextFile(FileApi& files, const std::string& path, std::string_view text) {
  OutputTextFile file(files);
  file.BindName(path);
  file.OpenForWriting();
  CheckIoResult();
  UnfinishedFile unfinished(file);
  file.PutString(std::string(text));
  CheckIoResult();
  file.CloseFile();
  CheckIoResult();
  unfinished.Finished();
}

}  // namespace quillmark
