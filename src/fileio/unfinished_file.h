// Half a registry script would do half of what it says: a file the writer made or emptied and
// did not finish is removed, whatever stopped it.
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
