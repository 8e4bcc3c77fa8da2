// What only MemoryRegistry has: the rights model, the limits that Wine does not keep, and
// double-byte name lengths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regfile/registry_script.h"
#include "registry/registry_key_handle.h"
#include "stores/memory_registry.h"

namespace quillmark {
namespace {

using Rights = MemoryRegistry::Rights;

constexpr RegKey kClassesRoot = RootHandle(RootKey::ClassesRoot);
constexpr RegKey kCurrentUser = RootHandle(RootKey::CurrentUser);
constexpr RegKey kLocalMachine = RootHandle(RootKey::LocalMachine);

MemoryRegistry SmallSystem() {
  return LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer]\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell]\n"
      "@=\"none\"\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
      "\"MenuShowDelay\"=\"400\"\n");
}

TEST(MemoryRegistryRights, AStandardUserMayOnlyReadOutsideTheCurrentUser) {
  struct Case {
    RegKey root;
    const char* path;
    bool create;
    std::uint32_t access;
    RegStatus expected;
  };
  const char* explorer = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
  const Case cases[] = {
      {kLocalMachine, explorer, false, kKeyAllAccess, kErrorAccessDenied},
      {kLocalMachine, explorer, false, kKeyRead, kErrorSuccess},
      {kLocalMachine, explorer, false, 0x20009, kErrorSuccess},
      {kLocalMachine, explorer, false, kKeyRead | kKeyWow64_64Key, kErrorSuccess},
      {kLocalMachine, explorer, false, kKeySetValue, kErrorAccessDenied},
      {kLocalMachine, explorer, true, kKeyAllAccess, kErrorAccessDenied},
      {kLocalMachine, "SOFTWARE\\New", true, kKeyRead, kErrorAccessDenied},
      {kClassesRoot, "Directory\\shell", false, kKeyAllAccess, kErrorAccessDenied},
      {kClassesRoot, "Directory\\shell", false, kKeyRead, kErrorSuccess},
      {kClassesRoot, "*\\shell\\runas", true, kKeyAllAccess, kErrorAccessDenied},
      {kCurrentUser, "Control Panel\\Desktop", false, kKeyAllAccess, kErrorSuccess},
      {kCurrentUser, "Control Panel\\Mouse", true, kKeyAllAccess, kErrorSuccess},
  };
  for (const Case& c : cases) {
    MemoryRegistry registry = SmallSystem();
    registry.SetRights(Rights::StandardUser);
    RegKey key = 0;
    std::uint32_t disposition = 0;
    const RegStatus status = c.create
                                 ? registry.CreateKey(c.root, c.path, c.access, &key, &disposition)
                                 : registry.OpenKey(c.root, c.path, c.access, &key);
    EXPECT_EQ(status, c.expected) << c.path << (c.create ? " created" : " opened") << " with "
                                  << std::hex << c.access;
    if (status == kErrorSuccess) registry.CloseKey(key);
  }
}

TEST(MemoryRegistryRights, AStandardUserCannotChangeMachineKeysThroughAnyHandle) {
  MemoryRegistry registry = SmallSystem();
  registry.SetRights(Rights::StandardUser);
  EXPECT_EQ(
      registry.DeleteKey(kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer"),
      kErrorAccessDenied);
  const std::uint8_t none[] = "none";
  EXPECT_EQ(registry.SetValue(kLocalMachine, "v", kRegSz, none, 5), kErrorAccessDenied);
  // The root opened with an empty path is the predefined handle itself, whatever is asked.
  RegKey root = 0;
  ASSERT_EQ(registry.OpenKey(kClassesRoot, "", kKeyAllAccess, &root), kErrorSuccess);
  EXPECT_EQ(root, kClassesRoot);
  EXPECT_EQ(registry.SetValue(root, "v", kRegSz, none, 5), kErrorAccessDenied);
  EXPECT_EQ(registry.SetValue(kCurrentUser, "v", kRegSz, none, 5), kErrorSuccess);

  registry.SetRights(Rights::Administrator);
  EXPECT_EQ(registry.SetValue(kLocalMachine, "v", kRegSz, none, 5), kErrorSuccess);
}

TEST(MemoryRegistryLimits, KeyNamesAndNestingStopAtTheWindowsLimits) {
  MemoryRegistry registry;
  RegKey key = 0;
  const std::string longest(kMaxKeyNameLength, 'k');
  const std::string too_long(kMaxKeyNameLength + 1, 'k');
  EXPECT_EQ(registry.CreateKey(kCurrentUser, longest.c_str(), kKeyAllAccess, &key, nullptr),
            kErrorSuccess);
  EXPECT_EQ(registry.CreateKey(kCurrentUser, too_long.c_str(), kKeyAllAccess, &key, nullptr),
            kErrorInvalidParameter);
  EXPECT_EQ(registry.OpenKey(kCurrentUser, too_long.c_str(), kKeyRead, &key),
            kErrorInvalidParameter);

  std::string deepest = "d";
  for (std::size_t level = 1; level < kMaxKeyDepth; ++level) deepest += "\\d";
  EXPECT_EQ(registry.CreateKey(kCurrentUser, deepest.c_str(), kKeyAllAccess, &key, nullptr),
            kErrorSuccess);
  RegKey below = 0;
  EXPECT_EQ(registry.CreateKey(key, "one more", kKeyAllAccess, &below, nullptr),
            kErrorInvalidParameter);
  EXPECT_EQ(
      registry.CreateKey(kCurrentUser, (deepest + "\\d").c_str(), kKeyAllAccess, &below, nullptr),
      kErrorInvalidParameter);
}

TEST(MemoryRegistryNames, DoubleByteCharactersCountOnceInTheLongestName) {
  MemoryRegistry registry = LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\k\\ab\x82\xa0\x82\xa2]\n"
      "[HKEY_CURRENT_USER\\k\\abcd]\n");
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kCurrentUser, "k", kKeyRead, &key), kErrorSuccess);
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  ASSERT_EQ(registry.QueryInfoKey(key, &count, &longest), kErrorSuccess);
  EXPECT_EQ(longest, 6u);
  registry.SetDoubleByteCharacters(true);
  ASSERT_EQ(registry.QueryInfoKey(key, &count, &longest), kErrorSuccess);
  EXPECT_EQ(longest, 4u);
}

TEST(MemoryRegistryRights, EnumerationRightsAloneGiveNoKeyInformation) {
  MemoryRegistry registry = SmallSystem();
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kCurrentUser, "Control Panel", kKeyEnumerateSubKeys, &key),
            kErrorSuccess);
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  EXPECT_EQ(registry.QueryInfoKey(key, &count, &longest), kErrorAccessDenied);
}

TEST(MemoryRegistryPaths, OnlyClassesRootOpensTakeALeadingSeparator) {
  MemoryRegistry registry = SmallSystem();
  RegKey key = 0;
  EXPECT_EQ(registry.OpenKey(kClassesRoot, "\\Directory\\shell", kKeyRead, &key), kErrorSuccess);
  EXPECT_EQ(registry.OpenKey(kCurrentUser, "\\Control Panel", kKeyRead, &key), kErrorBadPathname);
  EXPECT_EQ(registry.CreateKey(kClassesRoot, "\\Directory", kKeyRead, &key, nullptr),
            kErrorBadPathname);
}

}  // namespace
}  // namespace quillmark
