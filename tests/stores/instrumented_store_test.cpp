// The tests' store over another: failure injection and the call log.
#include "support/instrumented_store.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/ascii_case.h"
#include "regfile/registry_script.h"
#include "stores/memory_registry.h"

namespace quillmark::testing {
namespace {

using Operation = InstrumentedStore::Operation;

constexpr RegKey kClassesRoot = RootHandle(RootKey::ClassesRoot);
constexpr RegKey kCurrentUser = RootHandle(RootKey::CurrentUser);

MemoryRegistry SmallSystem() {
  return LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CLASSES_ROOT\\Directory\\shell]\n"
      "@=\"none\"\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
      "\"MenuShowDelay\"=\"400\"\n");
}

TEST(InstrumentedStoreFailures, TheNthCallFromNowFailsWithTheChosenCode) {
  MemoryRegistry memory;
  InstrumentedStore registry(memory);
  RegKey key = 0;
  registry.FailCall(2, 1234);
  EXPECT_EQ(registry.CreateKey(kCurrentUser, "a", kKeyAllAccess, &key, nullptr), kErrorSuccess);
  EXPECT_EQ(registry.CloseKey(key), 1234);
  EXPECT_EQ(registry.CloseKey(key), kErrorSuccess);  // the refused close did nothing
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST(InstrumentedStoreFailures, CallsMatchingAPredicateFailUntilCleared) {
  MemoryRegistry memory = SmallSystem();
  InstrumentedStore registry(memory);
  registry.FailWhen(
      [](const InstrumentedStore::Call& call) {
        return call.operation == Operation::OpenKey &&
               EqualsNoCase(call.path, "HKEY_CLASSES_ROOT\\Directory\\shell");
      },
      kErrorAccessDenied);
  RegKey key = 0;
  EXPECT_EQ(registry.OpenKey(kClassesRoot, "directory\\shell\\", kKeyRead, &key),
            kErrorAccessDenied);
  EXPECT_EQ(registry.OpenKey(kClassesRoot, "Directory", kKeyRead, &key), kErrorSuccess);
  ASSERT_EQ(registry.CreateKey(key, "shell", kKeyRead, &key, nullptr), kErrorSuccess);
  registry.ClearFailures();
  EXPECT_EQ(registry.OpenKey(kClassesRoot, "Directory\\shell", kKeyRead, &key), kErrorSuccess);
}

TEST(InstrumentedStoreFailures, APredicateThatThrowsMakesTheCallRaiseAndChangesNothing) {
  MemoryRegistry memory;
  InstrumentedStore registry(memory);
  registry.FailWhen(
      [](const InstrumentedStore::Call& call) -> bool {
        if (call.operation == Operation::CreateKey) throw std::runtime_error("store broke");
        return false;
      },
      kErrorSuccess);
  RegKey key = 0;
  EXPECT_THROW(registry.CreateKey(kCurrentUser, "a", kKeyAllAccess, &key, nullptr),
               std::runtime_error);
  EXPECT_EQ(registry.OpenKey(kCurrentUser, "a", kKeyRead, &key), kErrorFileNotFound);
}

TEST(InstrumentedStoreLog, EveryCallIsLoggedWithItsPathValueNameAndResult) {
  MemoryRegistry memory = SmallSystem();
  InstrumentedStore registry(memory);
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKey(kCurrentUser, "Control Panel\\Desktop\\", kKeyRead, &key),
            kErrorSuccess);
  std::uint32_t size = 0;
  registry.QueryValue(key, "MenuShowDelay", nullptr, nullptr, &size);
  registry.QueryValue(key, "Missing", nullptr, nullptr, &size);
  registry.CloseKey(key);

  const auto& log = registry.CallLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].call.operation, Operation::OpenKey);
  EXPECT_EQ(log[0].call.path, "HKEY_CURRENT_USER\\Control Panel\\Desktop");
  EXPECT_EQ(log[0].call.access, kKeyRead);
  EXPECT_EQ(log[0].result, kErrorSuccess);
  EXPECT_EQ(log[1].call.operation, Operation::QueryValue);
  EXPECT_EQ(log[1].call.path, "HKEY_CURRENT_USER\\Control Panel\\Desktop");
  EXPECT_EQ(log[1].call.value_name, "MenuShowDelay");
  EXPECT_EQ(log[2].call.value_name, "Missing");
  EXPECT_EQ(log[2].result, kErrorFileNotFound);
  EXPECT_EQ(log[3].call.operation, Operation::CloseKey);
  EXPECT_EQ(registry.CallCount(), 4u);
}

}  // namespace
}  // namespace quillmark::testing
