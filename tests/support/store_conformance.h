// The rules of the Windows registry that the registry object and the engine rely on, as one
// table of tests over a store: every store must answer as the real registry does. A test program
// includes it once and instantiates StoreConformance with the stores it has.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/store_fixture.h"

namespace quillmark::testing {
namespace conformance {

using StoreConformance = StoreTest;
using Names = std::vector<std::string>;

TEST_P(StoreConformance, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
  MustCreate("MiXed\\Sub");
  RegKey key = 0;
  EXPECT_EQ(Open(base(), "mixed\\SUB", &key), kErrorSuccess);
  std::uint32_t disposition = 0;
  EXPECT_EQ(Create(base(), "MIXED", &key, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  EXPECT_EQ(Subkeys(base()), Names{"MiXed"});

  ASSERT_EQ(SetText(key, "Value", "first"), kErrorSuccess);
  ASSERT_EQ(SetText(key, "VALUE", "second"), kErrorSuccess);
  EXPECT_EQ(Bytes(key, "value"), std::string("second\0", 7));
}

TEST_P(StoreConformance, SeparatorsAtTheEndOrRepeatedNameTheSameKey) {
  RegKey made = MustCreate("Control Panel\\Desktop");
  ASSERT_EQ(SetText(made, "probe", "here"), kErrorSuccess);
  for (const char* path : {"Control Panel\\Desktop", "Control Panel\\Desktop\\",
                           "CONTROL PANEL\\desktop\\\\", "Control Panel\\\\Desktop"}) {
    RegKey key = 0;
    ASSERT_EQ(Open(base(), path, &key), kErrorSuccess) << path;
    EXPECT_EQ(Bytes(key, "probe"), std::string("here\0", 5)) << path;
  }
  std::uint32_t disposition = 0;
  RegKey key = 0;
  EXPECT_EQ(Create(base(), "Control Panel\\Desktop\\", &key, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  EXPECT_EQ(Subkeys(base()), Names{"Control Panel"});
}

TEST_P(StoreConformance, ALeadingSeparatorBelowAKeyIsABadPath) {
  MustCreate("a");
  RegKey key = 0;
  EXPECT_EQ(Open(base(), "\\a", &key), kErrorBadPathname);
  EXPECT_EQ(Open(base(), "\\", &key), kErrorBadPathname);
  EXPECT_EQ(Create(base(), "\\b", &key), kErrorBadPathname);
  EXPECT_EQ(Subkeys(base()), Names{"a"});
}

TEST_P(StoreConformance, CreateMakesEveryMissingKeyOnTheWay) {
  RegKey key = 0;
  std::uint32_t disposition = 0;
  ASSERT_EQ(Create(base(), "x\\y\\z", &key, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  EXPECT_EQ(Open(base(), "x", &key), kErrorSuccess);
  EXPECT_EQ(Open(base(), "x\\y", &key), kErrorSuccess);
  EXPECT_EQ(Create(base(), "x\\y\\z", &key, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  EXPECT_EQ(Create(base(), "x\\y\\z\\w", &key, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
}

TEST_P(StoreConformance, OnlyKeysWithoutSubkeysCanBeDeleted) {
  MustCreate("a\\b\\c");
  struct Case {
    const char* path;
    RegStatus expected;
  };
  for (const Case& c : {Case{"a", kErrorAccessDenied}, Case{"a\\b", kErrorAccessDenied},
                        Case{"missing", kErrorFileNotFound}, Case{"a\\missing", kErrorFileNotFound},
                        Case{"A\\B\\C\\", kErrorSuccess}, Case{"a\\b\\c", kErrorFileNotFound},
                        Case{"a\\b", kErrorSuccess}, Case{"a", kErrorSuccess}}) {
    EXPECT_EQ(store().DeleteKey(base(), c.path), c.expected) << c.path;
  }
  EXPECT_EQ(Subkeys(base()), Names{});
}

TEST_P(StoreConformance, AKeyDeletedWhileOpenFailsEveryUseUntilClosed) {
  RegKey deleted = 0;
  ASSERT_EQ(store().CreateKey(base(), "gone\\sub", kKeyAllAccess, &deleted, nullptr),
            kErrorSuccess);
  ASSERT_EQ(SetText(deleted, "before", "x"), kErrorSuccess);
  RegKey parent = 0;
  ASSERT_EQ(Open(base(), "gone", &parent), kErrorSuccess);
  ASSERT_EQ(store().DeleteKey(base(), "gone\\sub"), kErrorSuccess);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(SetText(deleted, "after", "x"), kErrorKeyDeleted);
  EXPECT_EQ(store().QueryValue(deleted, "before", &type, nullptr, &size), kErrorKeyDeleted);
  EXPECT_EQ(store().DeleteValue(deleted, "before"), kErrorKeyDeleted);
  RegKey key = 0;
  EXPECT_EQ(store().CreateKey(deleted, "child", kKeyAllAccess, &key, nullptr), kErrorKeyDeleted);
  EXPECT_EQ(store().OpenKey(deleted, "", kKeyRead, &key), kErrorKeyDeleted);
  char name[16];
  std::uint32_t length = sizeof name;
  EXPECT_EQ(store().EnumKey(deleted, 0, name, &length), kErrorKeyDeleted);
  std::uint32_t count = 0;
  EXPECT_EQ(store().QueryInfoKey(deleted, &count, &length), kErrorKeyDeleted);
  EXPECT_EQ(store().FlushKey(deleted), kErrorKeyDeleted);
  EXPECT_EQ(store().DeleteKey(deleted, ""), kErrorKeyDeleted);

  // The name is free again; a new key of that name is not the deleted one.
  EXPECT_EQ(Open(base(), "gone\\sub", &key), kErrorFileNotFound);
  std::uint32_t disposition = 0;
  ASSERT_EQ(Create(base(), "gone\\sub", &key, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  EXPECT_EQ(Bytes(key, "before"), "error 2");
  EXPECT_EQ(store().QueryValue(deleted, "before", &type, nullptr, &size), kErrorKeyDeleted);

  EXPECT_EQ(store().CloseKey(deleted), kErrorSuccess);
  EXPECT_EQ(store().CloseKey(deleted), kErrorInvalidHandle);
}

TEST_P(StoreConformance, AnEmptyPathGivesAFurtherHandleToTheSameKey) {
  RegKey again = 0;
  ASSERT_EQ(Open(base(), "", &again), kErrorSuccess);
  EXPECT_NE(again, base());
  ASSERT_EQ(SetText(again, "shared", "yes"), kErrorSuccess);
  EXPECT_EQ(Bytes(base(), "shared"), std::string("yes\0", 4));

  RegKey root = 0;
  EXPECT_EQ(store().OpenKey(RootHandle(RootKey::CurrentUser), "", kKeyRead, &root), kErrorSuccess);
  EXPECT_EQ(root, RootHandle(RootKey::CurrentUser));
  EXPECT_EQ(store().CloseKey(root), kErrorSuccess);
}

TEST_P(StoreConformance, DeletingAnEmptyPathDeletesTheKeyItself) {
  RegKey key = 0;
  ASSERT_EQ(store().CreateKey(base(), "self", kKeyAllAccess, &key, nullptr), kErrorSuccess);
  EXPECT_EQ(store().DeleteKey(key, ""), kErrorSuccess);
  EXPECT_EQ(Subkeys(base()), Names{});
  EXPECT_EQ(store().CloseKey(key), kErrorSuccess);
  EXPECT_EQ(store().DeleteKey(RootHandle(RootKey::CurrentUser), ""), kErrorAccessDenied);
}

TEST_P(StoreConformance, ValueOperationsWithoutAValidKeyFail) {
  RegKey closed = 0;
  ASSERT_EQ(store().OpenKey(base(), "", kKeyAllAccess, &closed), kErrorSuccess);
  ASSERT_EQ(store().CloseKey(closed), kErrorSuccess);
  for (RegKey key : {RegKey{0}, closed}) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(store().QueryValue(key, "v", &type, nullptr, &size), kErrorInvalidHandle);
    EXPECT_EQ(SetText(key, "v", "x"), kErrorInvalidHandle);
    EXPECT_EQ(store().DeleteValue(key, "v"), kErrorInvalidHandle);
    RegKey opened = 0;
    EXPECT_EQ(store().OpenKey(key, "v", kKeyRead, &opened), kErrorInvalidHandle);
    std::uint32_t count = 0;
    EXPECT_EQ(store().QueryInfoKey(key, &count, &size), kErrorInvalidHandle);
  }
}

TEST_P(StoreConformance, TheDefaultValueExistsOnlyOnceWritten) {
  RegKey key = MustCreate("fresh");
  EXPECT_EQ(Bytes(key, ""), "error 2");
  ASSERT_EQ(SetText(key, "", "def"), kErrorSuccess);
  EXPECT_EQ(Bytes(key, ""), std::string("def\0", 4));
  ASSERT_EQ(store().DeleteValue(key, ""), kErrorSuccess);
  EXPECT_EQ(Bytes(key, ""), "error 2");
  EXPECT_EQ(store().DeleteValue(key, ""), kErrorFileNotFound);
}

TEST_P(StoreConformance, ValuesKeepTheirTypeAndExactBytes) {
  RegKey key = MustCreate("values");
  struct Case {
    const char* name;
    std::uint32_t type;
    std::string bytes;
  };
  const Case cases[] = {
      {"text", kRegSz, std::string("20000\0", 6)},
      {"empty text", kRegSz, std::string("\0", 1)},
      {"no bytes", kRegSz, ""},
      {"number", kRegDword, std::string("\x01\x00\x00\x00", 4)},
      {"short number", kRegDword, std::string("\x01\x02", 2)},
      {"expand", kRegExpandSz, std::string("%V\0", 3)},
      {"binary", kRegBinary, std::string("\x00\xff\x10", 3)},
      {"multi", kRegMultiSz, std::string("a\0b\0\0", 5)},
      {"odd type", 0x12345, "12345678"},
  };
  for (const Case& c : cases) ASSERT_EQ(SetBytes(key, c.name, c.type, c.bytes), kErrorSuccess);
  for (const Case& c : cases) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(store().QueryValue(key, c.name, &type, nullptr, &size), kErrorSuccess) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(size, c.bytes.size()) << c.name;
    EXPECT_EQ(Bytes(key, c.name), c.bytes) << c.name;
  }
}

TEST_P(StoreConformance, ABufferTooSmallReportsTheSizeNeeded) {
  RegKey key = MustCreate("sizes");
  ASSERT_EQ(SetText(key, "HungAppTimeout", "20000"), kErrorSuccess);
  std::uint8_t buffer[6];
  std::uint32_t type = 0;
  std::uint32_t size = 4;
  EXPECT_EQ(store().QueryValue(key, "HungAppTimeout", &type, buffer, &size), kErrorMoreData);
  EXPECT_EQ(size, 6u);
  size = 6;
  EXPECT_EQ(store().QueryValue(key, "HungAppTimeout", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), std::string("20000\0", 6));
}

TEST_P(StoreConformance, NamesLongerThanTheLimitsAreRefused) {
  const std::string key_name(kMaxKeyNameLength, 'k');
  const std::string too_long_key(kMaxKeyNameLength + 2, 'k');
  RegKey key = 0;
  EXPECT_EQ(Create(base(), key_name.c_str(), &key), kErrorSuccess);
  EXPECT_EQ(Open(base(), key_name.c_str(), &key), kErrorSuccess);
  EXPECT_EQ(Create(base(), too_long_key.c_str(), &key), kErrorInvalidParameter);

  const std::string value_name(kMaxValueNameLength, 'v');
  const std::string too_long_value(kMaxValueNameLength + 1, 'v');
  EXPECT_EQ(SetText(key, value_name.c_str(), "x"), kErrorSuccess);
  EXPECT_EQ(SetText(key, too_long_value.c_str(), "x"), kErrorInvalidParameter);
  EXPECT_EQ(Bytes(key, too_long_value.c_str()), "error 2");
}

TEST_P(StoreConformance, SubkeysAreEnumeratedInOrderWithTheirLongestName) {
  for (const char* name : {"delta", "Alpha", "charlie", "Bravo10", "bravo2"}) MustCreate(name);
  EXPECT_EQ(Subkeys(base()), (Names{"Alpha", "Bravo10", "bravo2", "charlie", "delta"}));
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  ASSERT_EQ(store().QueryInfoKey(base(), &count, &longest), kErrorSuccess);
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(longest, 7u);

  char name[8];
  std::uint32_t length = 5;  // "Alpha" needs six bytes with its zero
  EXPECT_EQ(store().EnumKey(base(), 0, name, &length), kErrorMoreData);
  length = 6;
  EXPECT_EQ(store().EnumKey(base(), 0, name, &length), kErrorSuccess);
  EXPECT_EQ(length, 5u);
  EXPECT_STREQ(name, "Alpha");
  length = sizeof name;
  EXPECT_EQ(store().EnumKey(base(), 5, name, &length), kErrorNoMoreItems);
}

TEST_P(StoreConformance, ValuesAreEnumeratedWithTheirNamesTypesAndSizes) {
  RegKey key = MustCreate("listed");
  ASSERT_EQ(SetText(key, "", "def"), kErrorSuccess);
  ASSERT_EQ(SetBytes(key, "Number", kRegDword, std::string("\x05\x00\x00\x00", 4)), kErrorSuccess);
  ASSERT_EQ(SetBytes(key, "multi", kRegMultiSz, std::string("a\0b\0\0", 5)), kErrorSuccess);
  std::vector<std::string> seen;
  std::uint32_t index = 0;
  for (;; ++index) {
    char name[32];
    std::uint32_t length = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const RegStatus status = store().EnumValue(key, index, name, &length, &type, nullptr, &size);
    if (status == kErrorNoMoreItems) break;
    ASSERT_EQ(status, kErrorSuccess) << index;
    seen.push_back("'" + std::string(name, length) + "' " + std::to_string(type) + " " +
                   std::to_string(size));
  }
  std::sort(seen.begin(), seen.end());  // the order is the store's own
  EXPECT_EQ(seen, (Names{"'' 1 4", "'Number' 4 4", "'multi' 7 5"}));

  // A name buffer of four bytes holds only the default value's empty name.
  std::vector<RegStatus> short_buffer;
  for (std::uint32_t i = 0; i < index; ++i) {
    char name[4];
    std::uint32_t length = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    short_buffer.push_back(store().EnumValue(key, i, name, &length, &type, nullptr, &size));
  }
  std::sort(short_buffer.begin(), short_buffer.end());
  EXPECT_EQ(short_buffer, (std::vector<RegStatus>{kErrorSuccess, kErrorMoreData, kErrorMoreData}));
}

TEST_P(StoreConformance, AHandleAllowsOnlyTheRightsItWasOpenedWith) {
  RegKey made = MustCreate("rights\\sub");
  ASSERT_EQ(SetText(made, "v", "x"), kErrorSuccess);
  RegKey reader = 0;
  ASSERT_EQ(Open(base(), "rights", &reader, kKeyRead), kErrorSuccess);
  EXPECT_EQ(SetText(reader, "w", "x"), kErrorAccessDenied);
  EXPECT_EQ(store().DeleteValue(reader, "v"), kErrorAccessDenied);
  EXPECT_EQ(Subkeys(reader), Names{"sub"});

  RegKey writer = 0;
  ASSERT_EQ(Open(base(), "rights\\sub", &writer, kKeySetValue), kErrorSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(store().QueryValue(writer, "v", &type, nullptr, &size), kErrorAccessDenied);
  EXPECT_EQ(SetText(writer, "w", "x"), kErrorSuccess);
  // Windows 7 answers key information through write rights too.
  std::uint32_t count = 0;
  EXPECT_EQ(store().QueryInfoKey(writer, &count, &size), kErrorSuccess);
  RegKey lister = 0;
  ASSERT_EQ(Open(base(), "rights", &lister, kKeyEnumerateSubKeys), kErrorSuccess);
  EXPECT_EQ(Subkeys(lister), Names{"sub"});

  // Deleting a key needs no rights on the handle it is named through.
  EXPECT_EQ(store().DeleteKey(reader, "sub"), kErrorSuccess);
}

TEST_P(StoreConformance, MissingKeysAndValuesAreNotFound) {
  RegKey key = 0;
  EXPECT_EQ(Open(base(), "missing", &key), kErrorFileNotFound);
  EXPECT_EQ(Open(base(), "missing\\deeper", &key), kErrorFileNotFound);
  EXPECT_EQ(store().DeleteValue(base(), "missing"), kErrorFileNotFound);
  EXPECT_EQ(Bytes(base(), "missing"), "error 2");
}

}  // namespace conformance
}  // namespace quillmark::testing
