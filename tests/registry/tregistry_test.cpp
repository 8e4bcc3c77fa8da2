// The registry object over every store (the real registry under Wine too), below the test key.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/failure_classes.h"
#include "registry/tregistry.h"
#include "support/registry_failure.h"
#include "support/store_fixture.h"

namespace quillmark::testing {
namespace {

using TRegistryOnStores = StoreTest;
using Names = std::vector<std::string>;

// An absolute path below the test key.
std::string At(const std::string& below) { return kTestKeyAbsolute + below; }

TEST_P(TRegistryOnStores, StartsAtTheCurrentUserWithFullAccessAndNoKey) {
  TRegistry registry(store());
  EXPECT_EQ(registry.Root(), RootKey::CurrentUser);
  EXPECT_EQ(registry.AccessMask(), 0xF003Fu);
  EXPECT_FALSE(registry.FlushOnClose());
  EXPECT_FALSE(registry.HasCurrentKey());
  TRegistry reader(store(), kKeyRead);
  EXPECT_EQ(reader.AccessMask(), 0x20019u);
}

TEST_P(TRegistryOnStores, AFailedOpenKeepsThePreviousKeyCurrent) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Desktop"), true));
  registry.WriteText("kept", "yes");
  EXPECT_FALSE(registry.OpenAsCurrent(At("\\Missing"), false));
  EXPECT_TRUE(registry.HasCurrentKey());
  EXPECT_EQ(registry.ReadText("kept"), "yes");
}

TEST_P(TRegistryOnStores, OpeningWithCreateMakesEveryMissingKeyAndKeepsExistingOnes) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Directory\\shell\\Command Prompt Here\\command"), true));
  registry.WriteText("", "cmd.exe /k cd %V");
  registry.CloseCurrent();
  EXPECT_TRUE(registry.KeyPresent(At("\\Directory")));
  EXPECT_TRUE(registry.KeyPresent(At("\\Directory\\shell")));
  EXPECT_TRUE(registry.KeyPresent(At("\\Directory\\shell\\Command Prompt Here")));
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\directory\\SHELL\\command prompt here\\Command"), true));
  EXPECT_EQ(registry.ReadText(""), "cmd.exe /k cd %V");
}

TEST_P(TRegistryOnStores, ATrailingSeparatorNamesTheSameKey) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Control Panel\\Desktop\\"), true));
  registry.WriteText("MenuShowDelay", "8");
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Control Panel\\Desktop"), false));
  EXPECT_EQ(registry.ReadText("MenuShowDelay"), "8");
  registry.CloseCurrent();
  EXPECT_TRUE(registry.RemoveKey(At("\\Control Panel\\Desktop\\")));
  EXPECT_FALSE(registry.KeyPresent(At("\\Control Panel\\Desktop")));
}

TEST_P(TRegistryOnStores, RelativePathsResolveAgainstTheCurrentKeyOrElseTheRoot) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Explorer\\RemoteComputer\\NameSpace"), true));
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Explorer"), false));
  EXPECT_TRUE(registry.KeyPresent("RemoteComputer"));
  EXPECT_TRUE(registry.MakeKey("Made"));
  EXPECT_TRUE(registry.KeyPresent(At("\\Explorer\\Made")));
  ASSERT_TRUE(registry.OpenAsCurrent("RemoteComputer", false));
  EXPECT_TRUE(registry.KeyPresent("NameSpace"));
  // The empty path reopens the current key.
  registry.WriteText("here", "1");
  ASSERT_TRUE(registry.OpenAsCurrent("", false));
  EXPECT_EQ(registry.ReadText("here"), "1");

  registry.CloseCurrent();
  EXPECT_FALSE(registry.KeyPresent("RemoteComputer"));
  EXPECT_TRUE(registry.KeyPresent(std::string(kTestKeyPath) + "\\Explorer\\RemoteComputer"));
  // "\" opens the root itself.
  ASSERT_TRUE(registry.OpenAsCurrent("\\", false));
  EXPECT_TRUE(registry.KeyPresent(std::string(kTestKeyPath)));
}

TEST_P(TRegistryOnStores, WithoutACurrentKeyValuesAreAbsentAndAccessRaises) {
  TRegistry registry(store());
  EXPECT_FALSE(registry.OpenAsCurrent(At("\\Missing"), false));
  EXPECT_FALSE(registry.HasCurrentKey());
  EXPECT_FALSE(registry.ValuePresent("MenuShowDelay"));
  EXPECT_EQ(registry.ValueSize("MenuShowDelay"), -1);
  EXPECT_EQ(registry.ValueKind("MenuShowDelay"), RegValueKind::KindUnknown);
  EXPECT_EQ(registry.ReadText("MenuShowDelay"), "");
  EXPECT_FALSE(registry.RemoveValue("MenuShowDelay"));
  char buffer[8];
  EXPECT_EQ(registry.ReadBytes("Data", buffer, sizeof buffer), 0);
  std::vector<std::string> list{"stale"};
  registry.ListSubkeys(list);
  EXPECT_EQ(list, Names{});
  EXPECT_EQ(RegistryFailure([&] { registry.ReadNumber("EnableLUA"); }),
            "Failed to get data for 'EnableLUA'");
  EXPECT_EQ(RegistryFailure([&] { registry.ReadFlag("EnableLUA"); }),
            "Failed to get data for 'EnableLUA'");
  EXPECT_EQ(RegistryFailure([&] { registry.WriteText("", "none"); }), "Failed to set data for ''");
  EXPECT_EQ(RegistryFailure([&] { registry.WriteNumber("EnableLUA", 0); }),
            "Failed to set data for 'EnableLUA'");
  registry.CloseCurrent();
  EXPECT_FALSE(registry.HasCurrentKey());
}

TEST_P(TRegistryOnStores, TextReadsFollowTheStoredKindAndSize) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Values"), true));
  RegKey values = 0;
  ASSERT_EQ(Open(base(), "Values", &values), kErrorSuccess);
  ASSERT_EQ(SetBytes(values, "no zero", kRegSz, "abc"), kErrorSuccess);
  ASSERT_EQ(SetBytes(values, "inner zero", kRegSz, std::string("ab\0cd\0", 6)), kErrorSuccess);
  ASSERT_EQ(SetBytes(values, "expand", kRegExpandSz, std::string("%SystemRoot%\0", 13)),
            kErrorSuccess);
  ASSERT_EQ(SetBytes(values, "zero bytes", kRegSz, ""), kErrorSuccess);
  ASSERT_EQ(SetBytes(values, "number", kRegDword, std::string("\x08\0\0\0", 4)), kErrorSuccess);
  ASSERT_EQ(SetBytes(values, "binary", kRegBinary, "8"), kErrorSuccess);
  registry.WriteText("", "");

  struct Case {
    const char* name;
    const char* text;  // null: raises "Invalid data type"
  };
  for (const Case& c : {Case{"no zero", "abc"}, Case{"inner zero", "ab"},
                        Case{"expand", "%SystemRoot%"}, Case{"zero bytes", ""}, Case{"", ""},
                        Case{"missing", ""}, Case{"number", nullptr}, Case{"binary", nullptr}}) {
    if (c.text != nullptr) {
      EXPECT_EQ(registry.ReadText(c.name), c.text) << c.name;
    } else {
      EXPECT_EQ(RegistryFailure([&] { registry.ReadText(c.name); }),
                std::string("Invalid data type for '") + c.name + "'");
    }
  }
}

TEST_P(TRegistryOnStores, NumberReadsNeedAnIntegerOfAtMostFourBytes) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Numbers"), true));
  registry.WriteNumber("minus", -2);
  registry.WriteNumber("one", 1);
  registry.WriteText("short text", "1");
  registry.WriteText("long text", "20000");
  RegKey numbers = 0;
  ASSERT_EQ(Open(base(), "Numbers", &numbers), kErrorSuccess);
  ASSERT_EQ(SetBytes(numbers, "two bytes", kRegDword, "\x34\x12"), kErrorSuccess);
  ASSERT_EQ(SetBytes(numbers, "eight bytes", kRegDword, std::string(8, '\1')), kErrorSuccess);
  ASSERT_EQ(SetBytes(numbers, "binary", kRegBinary, std::string("\1\0\0\0", 4)), kErrorSuccess);

  EXPECT_EQ(registry.ReadNumber("minus"), -2);
  EXPECT_EQ(Bytes(numbers, "minus"), "\xfe\xff\xff\xff");
  EXPECT_EQ(registry.ReadNumber("two bytes"), 0x1234);
  EXPECT_TRUE(registry.ReadFlag("one"));
  registry.WriteNumber("one", 0);
  EXPECT_FALSE(registry.ReadFlag("one"));

  struct Case {
    const char* name;
    const char* message;
  };
  for (const Case& c : {Case{"short text", "Invalid data type for 'short text'"},
                        Case{"binary", "Invalid data type for 'binary'"},
                        Case{"long text", "Failed to get data for 'long text'"},
                        Case{"eight bytes", "Failed to get data for 'eight bytes'"},
                        Case{"missing", "Failed to get data for 'missing'"}}) {
    EXPECT_EQ(RegistryFailure([&] { registry.ReadNumber(c.name); }), c.message) << c.name;
  }
}

TEST_P(TRegistryOnStores, WritesStoreStringsWithTheirZeroAndNumbersAsFourBytes) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Writes"), true));
  registry.WriteText("NoWorkingDirectory", "");
  registry.WriteText("Timeout", "2000");
  registry.WriteNumber("EnableLUA", 1);
  RegKey writes = 0;
  ASSERT_EQ(Open(base(), "Writes", &writes), kErrorSuccess);
  EXPECT_EQ(Bytes(writes, "NoWorkingDirectory"), std::string(1, '\0'));
  EXPECT_EQ(Bytes(writes, "Timeout"), std::string("2000\0", 5));
  EXPECT_EQ(Bytes(writes, "EnableLUA"), std::string("\1\0\0\0", 4));

  EXPECT_TRUE(registry.ValuePresent("NoWorkingDirectory"));
  EXPECT_EQ(registry.ReadText("NoWorkingDirectory"), "");
  EXPECT_EQ(registry.ValueSize("NoWorkingDirectory"), 1);
  EXPECT_EQ(registry.ValueKind("Timeout"), RegValueKind::KindString);
  EXPECT_EQ(registry.ValueKind("EnableLUA"), RegValueKind::KindInteger);
  EXPECT_EQ(registry.ValueSize("EnableLUA"), 4);
  EXPECT_TRUE(registry.RemoveValue("Timeout"));
  EXPECT_FALSE(registry.RemoveValue("Timeout"));
  EXPECT_FALSE(registry.ValuePresent("Timeout"));
}

TEST_P(TRegistryOnStores, ValueKindsAndByteReads) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Kinds"), true));
  RegKey kinds = 0;
  ASSERT_EQ(Open(base(), "Kinds", &kinds), kErrorSuccess);
  ASSERT_EQ(SetBytes(kinds, "expand", kRegExpandSz, std::string("x\0", 2)), kErrorSuccess);
  ASSERT_EQ(SetBytes(kinds, "binary", kRegBinary, "\x01\x02\x03"), kErrorSuccess);
  ASSERT_EQ(SetBytes(kinds, "multi", kRegMultiSz, std::string("a\0\0", 3)), kErrorSuccess);
  ASSERT_EQ(SetBytes(kinds, "none", kRegNone, ""), kErrorSuccess);
  registry.WriteText("text", "abc");
  EXPECT_EQ(registry.ValueKind("expand"), RegValueKind::KindExpandString);
  EXPECT_EQ(registry.ValueKind("binary"), RegValueKind::KindBinary);
  EXPECT_EQ(registry.ValueKind("multi"), RegValueKind::KindUnknown);
  EXPECT_EQ(registry.ValueKind("none"), RegValueKind::KindUnknown);
  EXPECT_TRUE(registry.ValuePresent("none"));
  EXPECT_EQ(registry.ValueSize("none"), 0);

  char buffer[4] = {'-', '-', '-', '-'};
  EXPECT_EQ(registry.ReadBytes("binary", buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 4), "\x01\x02\x03-");
  EXPECT_EQ(registry.ReadBytes("multi", buffer, 4), 3);
  EXPECT_EQ(std::string(buffer, 3), std::string("a\0\0", 3));
  EXPECT_EQ(registry.ReadBytes("missing", buffer, 4), 0);
  EXPECT_EQ(RegistryFailure([&] { registry.ReadBytes("binary", buffer, 2); }),
            "Invalid data type for 'binary'");
  EXPECT_EQ(RegistryFailure([&] { registry.ReadBytes("text", buffer, 4); }),
            "Invalid data type for 'text'");
}

TEST_P(TRegistryOnStores, ListSubkeysGivesTheStoredNames) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.MakeKey(At("\\List\\Beta")));
  ASSERT_TRUE(registry.MakeKey(At("\\List\\alpha\\deeper")));
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\List"), false));
  std::vector<std::string> list{"stale"};
  registry.ListSubkeys(list);
  EXPECT_EQ(list, (Names{"alpha", "Beta"}));
}

TEST_P(TRegistryOnStores, RemoveKeyDeletesTheWholeTreeAndReportsMissingKeys) {
  TRegistry registry(store());
  for (const char* path : {"\\Tree\\a\\b\\c", "\\Tree\\a\\d", "\\Tree\\e", "\\Tree\\f\\g"}) {
    ASSERT_TRUE(registry.MakeKey(At(path)));
  }
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Tree\\e"), false));
  registry.WriteText("v", "x");
  ASSERT_TRUE(registry.OpenAsCurrent(At(""), false));
  EXPECT_TRUE(registry.RemoveKey("Tree"));
  EXPECT_FALSE(registry.KeyPresent("Tree"));
  EXPECT_FALSE(registry.RemoveKey("Tree"));
  EXPECT_FALSE(registry.RemoveKey(At("\\Never\\There")));
  // The current key is the one it was before.
  registry.WriteText("still", "here");
  EXPECT_EQ(Bytes(base(), "still"), std::string("here\0", 5));
}

TEST_P(TRegistryOnStores, RemovingAnAncestorOfTheCurrentKeyLeavesADeletedKeyCurrent) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\RemoteComputer\\NameSpace\\{863aa9fd}"), true));
  registry.WriteText("", "Printers");
  EXPECT_TRUE(registry.RemoveKey(At("\\RemoteComputer")));
  EXPECT_TRUE(registry.HasCurrentKey());
  EXPECT_EQ(RegistryFailure([&] { registry.WriteText("", "Printers"); }),
            "Failed to set data for ''");
  EXPECT_FALSE(registry.ValuePresent(""));
  EXPECT_EQ(registry.ReadText(""), "");
  registry.CloseCurrent();
  EXPECT_FALSE(registry.HasCurrentKey());
  EXPECT_FALSE(registry.KeyPresent(At("\\RemoteComputer")));
}

TEST_P(TRegistryOnStores, MakeKeyLeavesTheCurrentKeyAlone) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Current"), true));
  registry.WriteText("mine", "1");
  EXPECT_TRUE(registry.MakeKey(At("\\Elsewhere\\Deep")));
  EXPECT_EQ(registry.ReadText("mine"), "1");
  EXPECT_TRUE(registry.KeyPresent(At("\\Elsewhere\\Deep")));
}

TEST_P(TRegistryOnStores, SelectRootClosesTheCurrentKeyOnlyForAnotherRoot) {
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent(At("\\Root"), true));
  registry.SelectRoot(RootKey::CurrentUser);
  EXPECT_TRUE(registry.HasCurrentKey());
  registry.SelectRoot(RootKey::LocalMachine);
  EXPECT_FALSE(registry.HasCurrentKey());
  EXPECT_EQ(registry.Root(), RootKey::LocalMachine);
}

TEST_P(TRegistryOnStores, KeyPresentRestoresTheAccessMask) {
  TRegistry registry(store(), kKeyRead | kKeyWow64_64Key);
  ASSERT_TRUE(registry.MakeKey(At("\\Present")));
  EXPECT_TRUE(registry.KeyPresent(At("\\Present")));
  EXPECT_EQ(registry.AccessMask(), kKeyRead | kKeyWow64_64Key);
  EXPECT_FALSE(registry.KeyPresent(At("\\Absent")));
  EXPECT_EQ(registry.AccessMask(), kKeyRead | kKeyWow64_64Key);
}

INSTANTIATE_TEST_SUITE_P(Stores, TRegistryOnStores, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace quillmark::testing
