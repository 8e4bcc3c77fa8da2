#include "cli/snapshot_file.h"

#include <cstdio>
#include <utility>

#include "files/file_messages.h"

namespace quillmark {

namespace {

[[noreturn]] void FileFailure(const std::string& path, const char* text,
                              const std::string& detail = "") {
  char line[512];
  std::snprintf(line, sizeof line, text, detail.c_str());
  throw Exception(path + ": " + line);
}

// The target, refused when it is nothing a snapshot can be read from.
FileTarget ReadableTarget(const std::string& name) {
  FileTarget target = FindTarget(name);
  switch (target.kind) {
    case FileKind::Folder:
      FileFailure(name, kFileIsFolder);
    case FileKind::Special:
      FileFailure(name, kFileIsSpecial);
    case FileKind::DanglingLink:
      FileFailure(name, kFileIsDanglingLink, target.path);
    case FileKind::LinkLoop:
      FileFailure(name, kFileIsLinkLoop);
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
  if (target.kind == FileKind::Regular && !target.writable) FileFailure(name, kFileIsReadOnly);
  SnapshotFile file(name, std::move(lock));
  if (const std::optional<std::string> bytes = file.lock_.Read()) {
    file.document_ = Parsed(name, *bytes, file.encoding_);
  }
  file.loaded_ = SaveSnapshot(file.document_.registry);
  try {
    // Made now, so that a place where it cannot be made stops the command before it runs.
    file.replacement_.emplace(ReplacementFile::Create(target.path));
  } catch (const EInOutError& refused) {
    FileFailure(name, kFileCannotBeReplaced, refused.Message());
  }
  return file;
}

void SnapshotFile::WriteBackIfChanged() {
  if (!replacement_) return;
  if (SaveSnapshot(document_.registry) == loaded_) {
    replacement_.reset();  // unchanged: the file keeps its bytes, comments and line ends
    return;
  }
  try {
    replacement_->Write(EncodeRegistryFile(SaveSnapshotDocument(document_), encoding_));
    replacement_->Replace();
  } catch (const EInOutError& failure) {
    replacement_.reset();
    FileFailure(name_, kFileNotWritten, failure.Message());
  }
  replacement_.reset();
}

MemoryRegistry ReadSnapshotFile(const std::string& path) {
  const FileTarget target = ReadableTarget(path);
  if (target.kind == FileKind::Missing) return MemoryRegistry();
  RegistryFileEncoding encoding;
  return std::move(Parsed(path, ReadRegularFile(target.path), encoding).registry);
}

}  // namespace quillmark
