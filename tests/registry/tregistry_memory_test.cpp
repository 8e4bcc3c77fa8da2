// The registry object where only MemoryRegistry can show it: refused rights, the rights each
// call asks for, calls that fail or raise part way, and double-byte names.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/failure_classes.h"
#include "regfile/registry_script.h"
#include "registry/tregistry.h"
#include "stores/memory_registry.h"
#include "support/instrumented_store.h"
#include "support/registry_failure.h"

namespace quillmark {
namespace {

using testing::InstrumentedStore;
using testing::RegistryFailure;

using Operation = InstrumentedStore::Operation;

constexpr const char* kNameSpace =
    "RemoteComputer\\NameSpace\\{863aa9fd-42df-457b-8e4d-0de1b8015c60}";

MemoryRegistry Machine() {
  return LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer]\n"
      "[HKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\policies\\system]\n"
      "\"EnableLUA\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
      "\"MenuShowDelay\"=\"400\"\n");
}

std::vector<std::string> Calls(const InstrumentedStore& registry) {
  std::vector<std::string> calls;
  for (const auto& logged : registry.CallLog()) {
    calls.push_back(std::string(OperationName(logged.call.operation)) + " " + logged.call.path);
  }
  return calls;
}

TEST(TRegistryRights, AStandardUserSeesMachineKeysItCannotOpenForWriting) {
  MemoryRegistry store = Machine();
  store.SetRights(MemoryRegistry::Rights::StandardUser);
  TRegistry registry(store);
  registry.SelectRoot(RootKey::LocalMachine);
  const std::string system = "\\software\\microsoft\\windows\\currentversion\\policies\\system";
  EXPECT_TRUE(registry.KeyPresent(system));
  EXPECT_FALSE(registry.OpenAsCurrent(system, false));
  EXPECT_FALSE(registry.OpenAsCurrent(system, true));
  EXPECT_EQ(RegistryFailure([&] { registry.ReadNumber("EnableLUA"); }),
            "Failed to get data for 'EnableLUA'");

  TRegistry reader(store, kKeyRead);
  reader.SelectRoot(RootKey::LocalMachine);
  ASSERT_TRUE(reader.OpenAsCurrent(system, false));
  EXPECT_EQ(reader.ReadNumber("EnableLUA"), 1);
  EXPECT_EQ(RegistryFailure([&] { reader.WriteNumber("EnableLUA", 0); }),
            "Failed to set data for 'EnableLUA'");
}

TEST(TRegistryRights, WithoutACurrentKeyRelativePathsWorkAgainstTheRoot) {
  MemoryRegistry memory = Machine();
  InstrumentedStore store(memory);
  memory.SetRights(MemoryRegistry::Rights::StandardUser);
  TRegistry registry(store);
  registry.SelectRoot(RootKey::LocalMachine);
  EXPECT_FALSE(
      registry.OpenAsCurrent("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\", false));
  store.ClearCallLog();
  EXPECT_FALSE(registry.KeyPresent("RemoteComputer"));
  EXPECT_EQ(RegistryFailure([&] { registry.MakeKey(kNameSpace); }),
            std::string("Failed to create key ") + kNameSpace);
  EXPECT_EQ(Calls(store),
            (std::vector<std::string>{"OpenKey HKEY_LOCAL_MACHINE\\RemoteComputer",
                                      std::string("CreateKey HKEY_LOCAL_MACHINE\\") + kNameSpace}));
  EXPECT_EQ(RegistryFailure([&] { registry.MakeKey("\\SOFTWARE\\Quill"); }),
            "Failed to create key \\SOFTWARE\\Quill");
}

TEST(TRegistryRights, EachOperationAsksForTheRightsItNeeds) {
  struct Case {
    std::uint32_t mask;
    std::uint32_t presence;
  };
  for (const Case& c :
       {Case{kKeyAllAccess, 0x20009}, Case{kKeyRead, 0x20009},
        Case{kKeyRead | kKeyWow64_64Key, 0x20109}, Case{kKeyRead | kKeyViewBits, 0x20309}}) {
    MemoryRegistry memory = Machine();
    InstrumentedStore store(memory);
    TRegistry registry(store, c.mask);
    registry.KeyPresent("\\Control Panel");
    registry.MakeKey("\\Control Panel\\Mouse");
    registry.OpenAsCurrent("\\Control Panel\\Desktop", true);
    registry.OpenAsCurrent("", true);  // an empty path is opened, never created
    registry.RemoveKey("\\Control Panel\\Mouse");
    const auto& log = store.CallLog();
    ASSERT_GE(log.size(), 7u);
    EXPECT_EQ(log[0].call.operation, Operation::OpenKey);
    EXPECT_EQ(log[0].call.access, c.presence);
    EXPECT_EQ(log[2].call.operation, Operation::CreateKey);
    EXPECT_EQ(log[2].call.access, kKeyAllAccess);
    EXPECT_EQ(log[4].call.operation, Operation::CreateKey);
    EXPECT_EQ(log[4].call.access, c.mask);
    EXPECT_EQ(log[5].call.operation, Operation::OpenKey);
    EXPECT_EQ(log[5].call.path, "HKEY_CURRENT_USER\\Control Panel\\Desktop");
    EXPECT_EQ(log[5].call.access, c.mask);
    EXPECT_EQ(log[7].call.operation, Operation::OpenKey);
    EXPECT_EQ(log[7].call.access, c.mask);
    EXPECT_EQ(registry.AccessMask(), c.mask);
  }
}

TEST(TRegistryClosing, FlushOnCloseFlushesBeforeEveryClose) {
  MemoryRegistry memory = Machine();
  InstrumentedStore store(memory);
  {
    TRegistry registry(store);
    registry.SetFlushOnClose(true);
    ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Desktop", false));
    registry.CloseCurrent();
    ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel", false));
  }
  EXPECT_EQ(Calls(store),
            (std::vector<std::string>{"OpenKey HKEY_CURRENT_USER\\Control Panel\\Desktop",
                                      "FlushKey HKEY_CURRENT_USER\\Control Panel\\Desktop",
                                      "CloseKey HKEY_CURRENT_USER\\Control Panel\\Desktop",
                                      "OpenKey HKEY_CURRENT_USER\\Control Panel",
                                      "FlushKey HKEY_CURRENT_USER\\Control Panel",
                                      "CloseKey HKEY_CURRENT_USER\\Control Panel"}));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);

  store.ClearCallLog();
  {
    TRegistry registry(store);
    ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel\\Desktop", false));
    ASSERT_TRUE(registry.OpenAsCurrent("\\Control Panel", false));
  }
  EXPECT_EQ(Calls(store),
            (std::vector<std::string>{"OpenKey HKEY_CURRENT_USER\\Control Panel\\Desktop",
                                      "OpenKey HKEY_CURRENT_USER\\Control Panel",
                                      "CloseKey HKEY_CURRENT_USER\\Control Panel\\Desktop",
                                      "CloseKey HKEY_CURRENT_USER\\Control Panel"}));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST(TRegistryRemoveKey, TheCurrentKeyComesBackWhenANestedStepRaises) {
  MemoryRegistry memory = LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\Tree\\a\\deep]\n"
      "[HKEY_CURRENT_USER\\Tree\\b]\n"
      "[HKEY_CURRENT_USER\\Keep]\n");
  InstrumentedStore store(memory);
  TRegistry registry(store);
  ASSERT_TRUE(registry.OpenAsCurrent("\\Keep", false));
  store.FailWhen(
      [](const InstrumentedStore::Call& call) -> bool {
        if (call.operation == Operation::DeleteKey &&
            call.path == "HKEY_CURRENT_USER\\Tree\\a\\deep") {
          throw std::runtime_error("store broke");
        }
        return false;
      },
      kErrorSuccess);
  EXPECT_THROW(registry.RemoveKey("\\Tree"), std::runtime_error);
  store.ClearFailures();
  // b went first (highest index), a's subtree raised; the temporaries are closed.
  EXPECT_FALSE(registry.KeyPresent("\\Tree\\b"));
  EXPECT_TRUE(registry.KeyPresent("\\Tree\\a\\deep"));
  EXPECT_EQ(memory.OpenHandleCount(), 1u);
  registry.WriteText("back", "yes");
  EXPECT_EQ(SaveSnapshot(memory),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Keep]\r\n\"back\"=\"yes\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Tree]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Tree\\a]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Tree\\a\\deep]\r\n\r\n");
}

TEST(TRegistryRemoveKey, WhatWasRemovedBeforeAFailureStaysRemoved) {
  MemoryRegistry memory = LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\Tree\\a]\n"
      "[HKEY_CURRENT_USER\\Tree\\b]\n"
      "[HKEY_CURRENT_USER\\Tree\\c]\n");
  InstrumentedStore store(memory);
  store.FailWhen(
      [](const InstrumentedStore::Call& call) {
        return call.operation == Operation::DeleteKey && call.path == "HKEY_CURRENT_USER\\Tree\\b";
      },
      kErrorAccessDenied);
  TRegistry registry(store);
  EXPECT_FALSE(registry.RemoveKey("\\Tree"));
  EXPECT_EQ(SaveSnapshot(memory),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Tree]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Tree\\b]\r\n\r\n");
}

TEST(TRegistryRemoveKey, ARefusedOpenStillAsksToDeleteTheNamedKey) {
  MemoryRegistry memory = Machine();
  InstrumentedStore store(memory);
  memory.SetRights(MemoryRegistry::Rights::StandardUser);
  TRegistry registry(store);
  registry.SelectRoot(RootKey::LocalMachine);
  EXPECT_FALSE(registry.RemoveKey("\\SOFTWARE\\Microsoft"));
  EXPECT_EQ(Calls(store),
            (std::vector<std::string>{"OpenKey HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft",
                                      "DeleteKey HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"}));
}

TEST(TRegistryNames, DoubleByteNamesFitTheSubkeyNameBuffer) {
  const char* script =
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\k\\ab\x82\xa0\x82\xa2\\x]\n"
      "[HKEY_CURRENT_USER\\k\\abcd]\n";
  MemoryRegistry store = LoadSnapshot(script);
  store.SetDoubleByteCharacters(true);
  TRegistry registry(store);
  ASSERT_TRUE(registry.OpenAsCurrent("\\k", false));
  std::vector<std::string> names;
  registry.ListSubkeys(names);
  EXPECT_EQ(names, (std::vector<std::string>{"abcd", "ab\x82\xa0\x82\xa2"}));
  registry.CloseCurrent();
  EXPECT_TRUE(registry.RemoveKey("\\k"));
  EXPECT_FALSE(registry.KeyPresent("\\k"));
}

}  // namespace
}  // namespace quillmark
