// A registry store over one Windows hive file (SOFTWARE, SYSTEM, NTUSER.DAT, UsrClass.dat of a
// Windows that is not running), behind the same interface and rules as every other store. The
// hive's root key is the one root the constructor names; the other roots fail as unknown
// handles, so that a later layer can mount several hives, each under its root.
//
// It holds the file against every other command from construction to destruction. Changes stay
// in memory until Commit, which writes them whole or not at all: to a fresh file beside the
// hive, read back and checked, then renamed over it. It refuses what hivex would write wrongly.
// Failures are Exceptions naming the file.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fileio/file_destination.h"
#include "fileio/file_system.h"
#include "hive/hive_handle.h"
#include "hive/hive_header.h"
#include "hive/hive_reader.h"
#include "registry/registry_api.h"
#include "stores/overlay_registry.h"

namespace quillmark {

class HiveRegistry final : public RegistryApi {
 public:
  // Read: the hive is never written, and may be read-only. Change: it may be written at Commit,
  // and what cannot be replaced safely is refused now, before anything runs.
  enum class Use { Read, Change };

  HiveRegistry(const std::string& path, RootKey root, Use use);
  ~HiveRegistry() override;

  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override;
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override;
  RegStatus CloseKey(RegKey key) override;
  RegStatus FlushKey(RegKey key) override;
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override;
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus DeleteValue(RegKey key, const char* name) override;
  RegStatus DeleteKey(RegKey base, const char* sub) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override;
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override;
  bool DoubleByteCharacters() const override { return false; }

  // Why what the hive shows may be out of date ("FILE: ..."), or nothing.
  const std::optional<std::string>& Warning() const { return warning_; }
  const HiveHeader& Header() const { return header_; }

  // Writes the changes so far, when the hive's keys and values really change; raises Exception
  // naming the file, which is then byte for byte as it was, when it cannot or may not. It ends
  // the command: once the hive is written, the keys opened before are no longer valid.
  void Commit();

 private:
  bool Foreign(RegKey key) const;
  bool WriteChanges(const std::vector<OverlayRegistry::KeyChanges>& changes);
  // A fresh file beside the hive, to be written and renamed over it: 0, or the platform's code.
  std::uint32_t OpenDestination();

  std::string path_;    // as given, for messages
  std::string target_;  // where its links lead: the file read and replaced
  RootKey root_;
  Use use_;
  FileLock lock_;
  HiveHeader header_;
  std::optional<std::string> warning_;
  HiveHandle hive_;
  std::unique_ptr<HiveReader> reader_;
  std::unique_ptr<OverlayRegistry> overlay_;
  std::unique_ptr<FileDestination> destination_;  // while a fresh file waits beside the hive
};

}  // namespace quillmark
