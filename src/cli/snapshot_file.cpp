#include "cli/snapshot_file.h"

#include <optional>
#include <utility>

#include "fileio/file_api.h"
#include "fileio/file_failure.h"
#include "fileio/file_messages.h"
#include "fileio/text_file_write.h"

namespace quillmark {

namespace {

// The target, refused when it is nothing a snapshot can be read from.
FileTarget ReadableTarget(const std::string& name) {
  FileTarget target = FindTarget(name);
  switch (target.kind) {
    case FileKind::Folder:
      FailOnFile(name, kFileIsFolder);
    case FileKind::Special:
      FailOnFile(name, kFileIsSpecial);
    case FileKind::DanglingLink:
      FailOnFile(name, kFileIsDanglingLink, target.path);
    case FileKind::LinkLoop:
      FailOnFile(name, kFileIsLinkLoop);
    case FileKind::Missing:
    case FileKind::Regular:
      break;
  }
  return target;
}

SnapshotDocument Parsed(const std::string& name, const std::string& bytes,
                        RegistryFileEncoding& encoding) {
  try {
    RegistryFileText text = DecodeRegistryFile(bytes);
    encoding = text.encoding;
    return LoadSnapshotDocument(text.text);
  } catch (const SnapshotError& fault) {
    throw Exception(name + ": " + fault.Message());
  }
}

}  // namespace

SnapshotFile::SnapshotFile(std::string name, FileLock lock)
    : name_(std::move(name)), lock_(std::move(lock)) {}

SnapshotFile SnapshotFile::OpenForChange(const std::string& name) {
  // Held first: nothing of this command touches the file while another one replaces it.
  FileLock lock = FileLock::Acquire(name);
  const FileTarget target = ReadableTarget(name);
  if (target.kind == FileKind::Regular && !target.writable) FailOnFile(name, kFileIsReadOnly);
  SnapshotFile file(name, std::move(lock));
  if (const std::optional<std::string> bytes = file.lock_.Read()) {
    file.document_ = Parsed(name, *bytes, file.encoding_);
  }
  file.loaded_ = SaveSnapshot(file.document_.registry);
  // Made now, so that a place where no file can be made stops the command before it runs.
  file.replacement_ = std::make_unique<FileDestination>(SystemFiles());
  try {
    OpenFileDestination(*file.replacement_, target.path);
  } catch (const EInOutError& refused) {
    FailOnFile(name, kFileCannotBeReplaced, refused.Message());
  }
  return file;
}

void SnapshotFile::WriteBackIfChanged() {
  if (!replacement_) return;
  const std::unique_ptr<FileDestination> replacement = std::move(replacement_);
  if (SaveSnapshot(document_.registry) == loaded_) {
    replacement->Abandon();  // unchanged: the file keeps its bytes, comments and line ends
    return;
  }
  try {
    FinishFileDestination(*replacement,
                          EncodeRegistryFile(SaveSnapshotDocument(document_), encoding_));
  } catch (const EInOutError& failure) {
    FailOnFile(name_, kFileNotWritten, failure.Message());
  }
}

MemoryRegistry ReadSnapshotFile(const std::string& path) {
  const FileTarget target = ReadableTarget(path);
  if (target.kind == FileKind::Missing) return MemoryRegistry();
  RegistryFileEncoding encoding;
  return std::move(Parsed(path, ReadRegularFile(target.path), encoding).registry);
}

}  // namespace quillmark
