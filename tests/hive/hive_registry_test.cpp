// The hive store over real hive files: what a command changes reaches the file whole, as other
// programs read it; what cannot be written safely is refused, and a refused or failed command
// leaves the file byte for byte as it was, with nothing beside it.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hive/hive_files.h"
#include "hive/hive_registry.h"
#include "registry/registry_key_handle.h"
#include "support/files.h"

namespace quillmark::testing {
namespace {

namespace fs = std::filesystem;
using Use = HiveRegistry::Use;

constexpr RegKey kRoot = RootHandle(RootKey::LocalMachine);

constexpr const char* kSoftware =
    "[\\Microsoft]\n\n"
    "[\\Microsoft\\Windows]\n\"Value\"=hex(1):6f,00,6c,00,64,00,00,00\n"
    "\"Gone\"=dword:00000001\n\"Number\"=dword:0000002a\n\n"
    "[\\Microsoft\\Windows\\Leaf]\n@=hex(1):78,00,00,00\n\n"
    "[\\Policies]\n\"Short\"=hex:01,02\n\n";

std::string Message(const std::function<void()>& run) {
  try {
    run();
  } catch (const Exception& failure) {
    return failure.Message();
  }
  return "no failure";
}

class HiveFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTestFolder("quillmark-hive-");
    MakeHive(Path(), kSoftware);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Path(const std::string& name = "SOFTWARE") const { return folder_ / name; }
  std::unique_ptr<HiveRegistry> Open(Use use = Use::Change) {
    return std::make_unique<HiveRegistry>(Path().string(), RootKey::LocalMachine, use);
  }

  static RegistryKeyHandle Create(RegistryApi& store, const char* path) {
    RegKey key = 0;
    EXPECT_EQ(store.CreateKey(kRoot, path, kKeyAllAccess, &key, nullptr), kErrorSuccess) << path;
    return RegistryKeyHandle(store, key);
  }
  static RegStatus Set(RegistryApi& store, const char* path, const char* name, std::uint32_t type,
                       const std::string& bytes) {
    return store.SetValue(Create(store, path).get(), name, type,
                          reinterpret_cast<const std::uint8_t*>(bytes.data()),
                          static_cast<std::uint32_t>(bytes.size()));
  }
  static std::string Get(RegistryApi& store, const char* path, const char* name) {
    RegKey key = 0;
    if (store.OpenKey(kRoot, path, kKeyRead, &key) != kErrorSuccess) return "no key";
    RegistryKeyHandle held(store, key);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (store.QueryValue(key, name, &type, nullptr, &size) != kErrorSuccess) return "no value";
    std::string data(size, '\0');
    store.QueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
    return std::to_string(type) + ":" + data;
  }

  // The file's bytes and the folder's names: all that a refused command must leave alone.
  struct Snapshot {
    std::string bytes;
    std::vector<std::string> names;
    bool operator==(const Snapshot&) const = default;
    friend void PrintTo(const Snapshot& snapshot, std::ostream* out) {
      *out << snapshot.bytes.size() << " bytes beside";
      for (const std::string& name : snapshot.names) *out << " " << name;
    }
  };
  Snapshot Now() const { return {ReadWholeFile(Path()), SortedNames(folder_)}; }
  ino_t Inode() const {
    struct stat status;
    return ::stat(Path().c_str(), &status) == 0 ? status.st_ino : 0;
  }

  fs::path folder_;
};

TEST_F(HiveFile, ACommandsChangesReachTheFileAsOtherProgramsReadThem) {
  ::chmod(Path().c_str(), 0640);
  // The owner where we may give it (as root here), and the transaction logs beside it.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(Path().c_str(), 4321, 4321), 0);
  }
  for (const char* log : {"SOFTWARE.LOG1", "SOFTWARE.LOG2"}) {
    std::ofstream(Path(log), std::ios::binary) << "log " << log;
  }
  // Reached through a link: the link stays, its target is replaced.
  fs::create_symlink("SOFTWARE", Path("link"));
  {
    auto hive =
        std::make_unique<HiveRegistry>(Path("link").string(), RootKey::LocalMachine, Use::Change);
    ASSERT_EQ(Set(*hive, "New\\Deep", "Text", kRegSz, std::string("h\xe9llo\0", 6)), kErrorSuccess);
    ASSERT_EQ(Set(*hive, "New\\Deep", "Count", kRegDword, std::string("\x10\x27\0\0", 4)),
              kErrorSuccess);
    ASSERT_EQ(Set(*hive, "New\\Deep", "Blob", kRegBinary, "\x01\x02\x03\x04\x05\x06"),
              kErrorSuccess);
    ASSERT_EQ(Set(*hive, "New\\Deep", "List", kRegMultiSz, std::string("a\0bc\0\0", 6)),
              kErrorSuccess);
    ASSERT_EQ(Set(*hive, "Microsoft\\Windows", "VALUE", kRegSz, std::string("new\0", 4)),
              kErrorSuccess);
    RegistryKeyHandle windows = Create(*hive, "Microsoft\\Windows");
    ASSERT_EQ(hive->DeleteValue(windows.get(), "gone"), kErrorSuccess);
    // Removed first, a value written again takes the new spelling.
    ASSERT_EQ(hive->DeleteValue(windows.get(), "number"), kErrorSuccess);
    ASSERT_EQ(Set(*hive, "Microsoft\\Windows", "NUMBER", kRegDword, std::string("\x07\0\0\0", 4)),
              kErrorSuccess);
    ASSERT_EQ(hive->DeleteKey(kRoot, "Microsoft\\Windows\\Leaf"), kErrorSuccess);
    hive->Commit();
  }
  EXPECT_EQ(SortedNames(folder_),
            (std::vector<std::string>{"SOFTWARE", "SOFTWARE.LOG1", "SOFTWARE.LOG2", "link"}));
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  for (const char* log : {"SOFTWARE.LOG1", "SOFTWARE.LOG2"}) {
    EXPECT_EQ(ReadWholeFile(Path(log)), std::string("log ") + log);
  }
  struct stat status;
  ASSERT_EQ(::stat(Path().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(status.st_uid, 4321u);
    EXPECT_EQ(status.st_gid, 4321u);
  }

  const std::string exported = ExportHive(Path());
  for (const char* line : {"Key path: $$$PROTO.HIV\\New\\Deep\n",
                           " Text\nType: string (REG_SZ)\nData size: 12\nData: h\xc3\xa9llo\n",
                           "Data size: 4\nData: 10000\n", "00000000: 01 02 03 04 05 06",
                           " Value\nType: string (REG_SZ)\nData size: 8\nData: new\n",
                           " NUMBER\nType: 32-bit", "Data size: 4\nData: 7\n"}) {
    EXPECT_NE(exported.find(line), std::string::npos) << line << "\nin\n" << exported;
  }
  for (const char* gone : {"Gone", "Leaf"}) {
    EXPECT_EQ(exported.find(gone), std::string::npos) << gone;
  }
  // Read again by a new store, every value is as it was given.
  auto again = Open(Use::Read);
  EXPECT_EQ(Get(*again, "new\\deep", "text"), std::string("1:h\xe9llo\0", 8));
  EXPECT_EQ(Get(*again, "New\\Deep", "List"), std::string("7:a\0bc\0\0", 8));
  EXPECT_EQ(Get(*again, "New\\Deep", "Blob"), "3:\x01\x02\x03\x04\x05\x06");
  EXPECT_EQ(Get(*again, "Policies", "Short"), "3:\x01\x02");
}

TEST_F(HiveFile, AHiveThatDoesNotChangeIsNotWritten) {
  const Snapshot before = Now();
  const ino_t inode = Inode();
  {
    auto hive = Open();
    ASSERT_EQ(Set(*hive, "Microsoft\\Windows", "Number", kRegDword, std::string("\x2a\0\0\0", 4)),
              kErrorSuccess);
    ASSERT_EQ(Set(*hive, "Microsoft\\Windows", "Value", kRegSz, std::string("old\0", 4)),
              kErrorSuccess);
    Create(*hive, "Policies");
    hive->Commit();
  }
  EXPECT_EQ(Now(), before);
  EXPECT_EQ(Inode(), inode);

  // Committed once, the changes are in the file; committed again, nothing is rewritten.
  auto hive = Open();
  ASSERT_EQ(Set(*hive, "Policies", "Short", kRegBinary, "\x07"), kErrorSuccess);
  hive->Commit();
  const Snapshot once = Now();
  const ino_t written = Inode();
  EXPECT_NE(once, before);
  hive->Commit();
  EXPECT_EQ(Now(), once);
  EXPECT_EQ(Inode(), written);
}

TEST_F(HiveFile, RootsOtherThanTheHivesAreUnknownHandles) {
  auto hive = Open();
  for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser}) {
    RegKey key = 0;
    EXPECT_EQ(hive->OpenKey(RootHandle(root), "Microsoft", kKeyRead, &key), kErrorInvalidHandle);
    EXPECT_EQ(hive->CreateKey(RootHandle(root), "x", kKeyAllAccess, &key, nullptr),
              kErrorInvalidHandle);
    EXPECT_EQ(hive->DeleteKey(RootHandle(root), "Microsoft"), kErrorInvalidHandle);
    std::uint32_t count = 0;
    EXPECT_EQ(hive->QueryInfoKey(RootHandle(root), &count, nullptr), kErrorInvalidHandle);
  }
  std::uint32_t count = 0;
  EXPECT_EQ(hive->QueryInfoKey(kRoot, &count, nullptr), kErrorSuccess);
  EXPECT_EQ(count, 2u);
}

TEST_F(HiveFile, TheHiveIsHeldForTheWholeCommand) {
  const int other = ::open(Path().c_str(), O_RDONLY);
  ASSERT_GE(other, 0);
  {
    auto hive = Open();
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
  }
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
}

// A hive's base block changed in place: the word at an offset, the checksum put right again.
void SetWord(const fs::path& path, std::size_t offset, std::uint32_t word) {
  Patch(path, offset, LittleEndian(word));
  FixChecksum(path);
}

TEST_F(HiveFile, DamagedOrUnsupportedHivesAreRefusedWithTheirReason) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> damage;
    std::string reason;
  };
  const std::string damaged = ": not a hive file that can be used safely: ";
  const Case cases[] = {
      {"checksum", [](const fs::path& p) { Patch(p, 100, "x"); },
       "the checksum of its base block is wrong"},
      {"signature", [](const fs::path& p) { Patch(p, 0, "regx"); },
       "it does not begin with the hive signature \"regf\""},
      {"log", [](const fs::path& p) { SetWord(p, 28, 1); },
       "it is not a primary hive file but of type 1 (a log or an alternate)"},
      {"old", [](const fs::path& p) { SetWord(p, 24, 2); },
       "its format version 1.2 is not one of 1.3 to 1.6"},
      {"new", [](const fs::path& p) { SetWord(p, 24, 7); },
       "its format version 1.7 is not one of 1.3 to 1.6"},
      {"truncated", [](const fs::path& p) { fs::resize_file(p, 6000); },
       "it is cut short: 6000 bytes of the "},
      {"tiny", [](const fs::path& p) { fs::resize_file(p, 100); },
       "it is shorter (100 bytes) than the 4096 bytes of a hive's base block"},
      {"bin", [](const fs::path& p) { Patch(p, 4096, "hbix"); }, ""},
  };
  for (const Case& c : cases) {
    MakeHive(Path(), kSoftware);
    c.damage(Path());
    const Snapshot before = Now();
    for (Use use : {Use::Read, Use::Change}) {
      const std::string message = Message([&] { Open(use); });
      EXPECT_EQ(message.rfind(Path().string() + damaged + c.reason, 0), 0u)
          << c.what << ": " << message;
    }
    EXPECT_EQ(Now(), before) << c.what;
  }
}

TEST_F(HiveFile, WhatCannotBeReplacedSafelyIsRefusedBeforeAnythingRuns) {
  ::chmod(Path().c_str(), 0444);
  const Snapshot before = Now();
  EXPECT_EQ(Message([&] { Open(); }),
            Path().string() +
                ": not writable (it is read-only, or you may not write it), and the command "
                "would change it");
  {
    auto reader = Open(Use::Read);
    EXPECT_EQ(Get(*reader, "Microsoft\\Windows", "Number"), std::string("4:\x2a\0\0\0", 6));
    ASSERT_EQ(Set(*reader, "Policies", "Short", kRegBinary, "\x07"), kErrorSuccess);
    EXPECT_EQ(Message([&] { reader->Commit(); }),
              Path().string() +
                  ": not writable (it is read-only, or you may not write it), and the command "
                  "would change it");
  }
  EXPECT_EQ(Now(), before);

  fs::create_directory(Path("folder"));
  fs::create_symlink(Path("nowhere"), Path("link"));
  const std::string missing = Path("missing").string();
  EXPECT_EQ(Message([&] { HiveRegistry(missing, RootKey::LocalMachine, Use::Read); }),
            missing + ": there is no such hive file");
  const std::string folder = Path("folder").string();
  EXPECT_EQ(Message([&] { HiveRegistry(folder, RootKey::LocalMachine, Use::Read); }),
            folder + ": a folder, not a hive file");
  const std::string link = Path("link").string();
  EXPECT_EQ(Message([&] { HiveRegistry(link, RootKey::LocalMachine, Use::Change); }),
            link + ": a symbolic link to " + Path("nowhere").string() + ", which does not exist");
}

TEST_F(HiveFile, AHiveNotShutDownCleanlyIsReadWithAWarningAndNeverWritten) {
  SetWord(Path(), 8, 2);  // secondary sequence number 2, primary 1
  const Snapshot before = Now();
  const std::string refusal =
      Path().string() +
      ": the hive was not shut down cleanly, and its transaction logs may hold changes that "
      "have not reached it, so it is not written; start that Windows and shut it down cleanly "
      "first";
  const std::function<void(RegistryApi&)> writes[] = {
      [](RegistryApi& s) { Set(s, "Policies", "New", kRegSz, std::string("x\0", 2)); },
      [](RegistryApi& s) { s.DeleteValue(Create(s, "Microsoft\\Windows").get(), "Gone"); },
      [](RegistryApi& s) { Create(s, "Fresh"); },
      [](RegistryApi& s) { s.DeleteKey(kRoot, "Microsoft\\Windows\\Leaf"); },
  };
  for (const auto& write : writes) {
    auto hive = Open();
    ASSERT_TRUE(hive->Warning().has_value());
    EXPECT_EQ(*hive->Warning(),
              Path().string() +
                  ": the hive was not shut down cleanly: its transaction logs may hold changes "
                  "that have not reached it, so what it shows may be out of date");
    EXPECT_EQ(Get(*hive, "Microsoft\\Windows", "Number"), std::string("4:\x2a\0\0\0", 6));
    write(*hive);
    EXPECT_EQ(Message([&] { hive->Commit(); }), refusal);
    EXPECT_EQ(Now(), before);
  }
  // Reading alone, and writing what it holds already, is no write.
  {
    auto hive = Open();
    Set(*hive, "Microsoft\\Windows", "Number", kRegDword, std::string("\x2a\0\0\0", 4));
    EXPECT_EQ(Message([&] { hive->Commit(); }), "no failure");
  }
  EXPECT_EQ(Now(), before);
}

TEST_F(HiveFile, WhatTheHiveLibraryWouldWriteWronglyIsRefused) {
  const std::string big(16345, 'b');
  GrowHive(
      Path(), "[\\Big]\n\"Large\"=hex:" + [&] {
        std::string hex;
        for (std::size_t i = 0; i < big.size(); ++i) hex += i == 0 ? "62" : ",62";
        return hex;
      }() + "\n\n");
  struct Case {
    const char* what;
    std::function<void(RegistryApi&)> write;
    std::string message;
  };
  const Case cases[] = {
      {"key", [](RegistryApi& s) { Create(s, "Policies\\Caf\xe9"); },
       "the new key [\\Policies\\Caf\xc3\xa9] has a name that is not ASCII, which the hive "
       "library may file in the wrong place; nothing was written"},
      {"value", [](RegistryApi& s) { Set(s, "Policies", "Caf\xe9", kRegDword, "\1\0\0\0"); },
       "the new value [\\Policies] \"Caf\xc3\xa9\" has a name that is not ASCII, which the hive "
       "library may file in the wrong place; nothing was written"},
      {"big", [&](RegistryApi& s) { Set(s, "Policies", "Huge", kRegBinary, big); },
       "the value [\\Policies] \"Huge\" is over 16,344 bytes, which this hive's format keeps in "
       "records the hive library does not write; nothing was written"},
      {"beside big", [](RegistryApi& s) { Set(s, "Big", "small", kRegDword, "\1\0\0\0"); },
       "the key [\\Big] holds a value over 16,344 bytes, which the hive library would write "
       "again in a form the system misreads; nothing was written"},
  };
  const Snapshot before = Now();
  for (const Case& c : cases) {
    auto hive = Open();
    c.write(*hive);
    EXPECT_EQ(Message([&] { hive->Commit(); }), Path().string() + ": " + c.message) << c.what;
    EXPECT_EQ(Now(), before) << c.what;
  }
  // Removing the key that holds it rewrites no value; a hive of version 1.3 keeps big values in
  // one cell, as hivex writes them.
  {
    auto hive = Open();
    ASSERT_EQ(hive->DeleteKey(kRoot, "Big"), kErrorSuccess);
    hive->Commit();
    EXPECT_EQ(ExportHive(Path()).find("Big"), std::string::npos);
  }
  SetWord(Path(), 24, 3);
  auto hive = Open();
  ASSERT_EQ(Set(*hive, "Policies", "Huge", kRegBinary, big), kErrorSuccess);
  hive->Commit();
  EXPECT_EQ(Get(*Open(Use::Read), "Policies", "Huge"), "3:" + big);
}

TEST_F(HiveFile, ADiskThatFillsUpLeavesTheHiveAsItWas) {
  const Snapshot before = Now();
  for (rlim_t room : {rlim_t{0}, rlim_t{4096}, rlim_t{4200}, rlim_t{before.bytes.size() - 1}}) {
    int answer[2];
    ASSERT_EQ(::pipe(answer), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(answer[0]);
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{room, RLIM_INFINITY};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      auto hive = Open();
      Set(*hive, "Policies", "More", kRegBinary, std::string(3000, 'm'));
      std::string message = Message([&] { hive->Commit(); });
      message += Now() == before ? " [as before]" : " [changed]";
      // With room again, the same command's changes, still as it left them, can be written.
      limit.rlim_cur = RLIM_INFINITY;
      ::setrlimit(RLIMIT_FSIZE, &limit);
      message += "\n" + Get(*hive, "Policies", "More").substr(0, 4) + " " +
                 Message([&] { hive->Commit(); });
      [[maybe_unused]] ssize_t sent = ::write(answer[1], message.data(), message.size());
      ::_exit(0);
    }
    ::close(answer[1]);
    std::string message;
    char block[512];
    for (ssize_t got; (got = ::read(answer[0], block, sizeof block)) > 0;)
      message.append(block, got);
    ::close(answer[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(message.rfind(Path().string() + ": the changed registry could not be written (", 0),
              0u)
        << room << ": " << message;
    EXPECT_NE(message.find("); the file is as it was [as before]\n3:mm no failure"),
              std::string::npos)
        << message;
    auto written = Open(Use::Read);
    EXPECT_EQ(Get(*written, "Policies", "More"), "3:" + std::string(3000, 'm'));
    written.reset();
    EXPECT_EQ(SortedNames(folder_), before.names) << room;
    MakeHive(Path(), kSoftware);  // for the next room
    ASSERT_EQ(Now(), before) << room;
  }
}

}  // namespace
}  // namespace quillmark::testing
