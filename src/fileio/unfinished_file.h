// Half a registry script would do half of what it says: a file the writer began and did not
// finish is given up, whatever stopped it, so that the file under its name stays as it was.
#pragma once

#include "fileio/output_text_file.h"

namespace quillmark {

class UnfinishedFile {
 public:
  explicit UnfinishedFile(OutputTextFile& file) : file_(file) {}
  UnfinishedFile(const UnfinishedFile&) = delete;
  UnfinishedFile& operator=(const UnfinishedFile&) = delete;
  ~UnfinishedFile() {
    if (!finished_) file_.Discard();
  }
  void Finished() { finished_ = true; }

 private:
  OutputTextFile& file_;
  bool finished_ = false;
};

}  // namespace quillmark
