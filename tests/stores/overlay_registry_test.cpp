// The overlay answers every call as the store itself would answer it after the same calls, while
// the store beneath stays as it was and is asked to read only; and the region it reports changed
// holds exactly the difference the calls made.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regfile/registry_difference.h"
#include "regfile/registry_script.h"
#include "registry/registry_key_handle.h"
#include "stores/overlay_registry.h"
#include "stores/registry_reading.h"
#include "support/instrumented_store.h"

namespace quillmark::testing {
namespace {

using Operation = InstrumentedStore::Operation;
using Rights = MemoryRegistry::Rights;

const char* const kState =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_CURRENT_USER\\Alpha]\n"
    "@=\"default\"\n"
    "\"Text\"=\"one\"\n"
    "\"Number\"=dword:00000007\n"
    "[HKEY_CURRENT_USER\\Alpha\\Beta]\n"
    "\"Bytes\"=hex:01,02,03\n"
    "[HKEY_CURRENT_USER\\Alpha\\Beta\\Gamma]\n"
    "\"Expand\"=hex(2):25,56,25,00\n"
    "[HKEY_CURRENT_USER\\Alpha\\Delta]\n"
    "[HKEY_LOCAL_MACHINE\\Soft\\Ware]\n"
    "\"Machine\"=\"yes\"\n"
    "[HKEY_LOCAL_MACHINE\\Soft\\Ware\\Deep]\n"
    "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\n"
    "@=\"cmd\"\n";

const char* const kPaths[] = {"",
                              "alpha",
                              "ALPHA\\beta",
                              "Alpha\\Beta\\Gamma",
                              "alpha\\delta\\",
                              "Alpha\\New",
                              "Alpha\\New\\Sub",
                              "Soft\\Ware",
                              "soft\\ware\\deep",
                              "Soft\\Gone",
                              "*\\shell\\runas",
                              "*\\shell\\runas\\Command",
                              "beta",
                              "\\bad",
                              "Other\\Made"};
const char* const kValueNames[] = {"", "text", "Text", "NUMBER", "Bytes", "Machine", "New"};
const RootKey kRoots[] = {RootKey::CurrentUser, RootKey::LocalMachine, RootKey::ClassesRoot};
const std::uint32_t kAccesses[] = {kKeyAllAccess, kKeyRead, kKeySetValue, kKeyEnumerateSubKeys};

// Two stores driven by the same calls; each handle one store gives out has its twin.
class Twins {
 public:
  Twins(RegistryApi& expected, RegistryApi& actual, std::uint32_t seed)
      : expected_(expected), actual_(actual), random_(seed) {}

  void Step() {
    const auto pick = [&](auto& list) -> decltype(list[0]) {
      return list[random_() % std::size(list)];
    };
    const auto base = [&](RegKey& e, RegKey& a) {
      if (handles_.empty() || random_() % 3 == 0) {
        e = a = RootHandle(pick(kRoots));
      } else {
        const auto& twin = handles_[random_() % handles_.size()];
        e = twin.first;
        a = twin.second;
      }
    };
    RegKey e = 0;
    RegKey a = 0;
    base(e, a);
    const std::string path = pick(kPaths);
    trace_ += "base " + std::to_string(e) + "; ";
    const std::string name = pick(kValueNames);
    switch (random_() % 10) {
      case 0:
      case 1: {
        const std::uint32_t access = pick(kAccesses);
        RegKey e_out = 0;
        RegKey a_out = 0;
        std::uint32_t e_how = 0;
        std::uint32_t a_how = 0;
        const bool create = random_() % 2 == 0;
        const RegStatus es = create ? expected_.CreateKey(e, path.c_str(), access, &e_out, &e_how)
                                    : expected_.OpenKey(e, path.c_str(), access, &e_out);
        const RegStatus as = create ? actual_.CreateKey(a, path.c_str(), access, &a_out, &a_how)
                                    : actual_.OpenKey(a, path.c_str(), access, &a_out);
        Expect(es, as, create ? "CreateKey " + path : "OpenKey " + path);
        EXPECT_EQ(e_how, a_how) << trace_;
        if (es == kErrorSuccess && as == kErrorSuccess && !IsPredefinedHandle(e_out)) {
          handles_.emplace_back(e_out, a_out);
        }
        break;
      }
      case 2:
        if (!handles_.empty()) {
          const std::size_t i = random_() % handles_.size();
          Expect(expected_.CloseKey(handles_[i].first), actual_.CloseKey(handles_[i].second),
                 "CloseKey");
          handles_.erase(handles_.begin() + static_cast<std::ptrdiff_t>(i));
        }
        break;
      case 3: {
        const std::uint8_t data[] = {static_cast<std::uint8_t>(random_()), 0, 7, 0};
        const std::uint32_t type = random_() % 2 == 0 ? kRegSz : kRegDword;
        const std::uint32_t size = 1 + random_() % 4;
        Expect(expected_.SetValue(e, name.c_str(), type, data, size),
               actual_.SetValue(a, name.c_str(), type, data, size), "SetValue " + name);
        break;
      }
      case 4:
        Expect(expected_.DeleteValue(e, name.c_str()), actual_.DeleteValue(a, name.c_str()),
               "DeleteValue " + name);
        break;
      case 5:
        Expect(expected_.DeleteKey(e, path.c_str()), actual_.DeleteKey(a, path.c_str()),
               "DeleteKey " + path);
        break;
      case 6: {
        std::uint8_t e_data[8] = {};
        std::uint8_t a_data[8] = {};
        std::uint32_t e_type = 0;
        std::uint32_t a_type = 0;
        std::uint32_t e_size = random_() % 9;
        std::uint32_t a_size = e_size;
        const bool with_data = random_() % 2 == 0;
        Expect(
            expected_.QueryValue(e, name.c_str(), &e_type, with_data ? e_data : nullptr, &e_size),
            actual_.QueryValue(a, name.c_str(), &a_type, with_data ? a_data : nullptr, &a_size),
            "QueryValue " + name);
        EXPECT_EQ(e_type, a_type) << trace_;
        EXPECT_EQ(e_size, a_size) << trace_;
        EXPECT_EQ(std::string(e_data, e_data + 8), std::string(a_data, a_data + 8)) << trace_;
        break;
      }
      case 7: {
        const std::uint32_t index = random_() % 4;
        char e_name[8] = {};
        char a_name[8] = {};
        std::uint32_t e_length = 1 + random_() % 8;
        std::uint32_t a_length = e_length;
        Expect(expected_.EnumKey(e, index, e_name, &e_length),
               actual_.EnumKey(a, index, a_name, &a_length), "EnumKey");
        EXPECT_EQ(e_length, a_length) << trace_;
        EXPECT_EQ(std::string(e_name, 8), std::string(a_name, 8)) << trace_;
        break;
      }
      case 8: {
        const std::uint32_t index = random_() % 4;
        char e_name[8] = {};
        char a_name[8] = {};
        std::uint32_t e_length = 1 + random_() % 8;
        std::uint32_t a_length = e_length;
        std::uint32_t e_type = 0;
        std::uint32_t a_type = 0;
        std::uint32_t e_size = 0;
        std::uint32_t a_size = 0;
        Expect(expected_.EnumValue(e, index, e_name, &e_length, &e_type, nullptr, &e_size),
               actual_.EnumValue(a, index, a_name, &a_length, &a_type, nullptr, &a_size),
               "EnumValue");
        EXPECT_EQ(std::string(e_name, 8), std::string(a_name, 8)) << trace_;
        EXPECT_EQ(e_type, a_type) << trace_;
        EXPECT_EQ(e_size, a_size) << trace_;
        break;
      }
      case 9: {
        std::uint32_t e_count = 0;
        std::uint32_t a_count = 0;
        std::uint32_t e_longest = 0;
        std::uint32_t a_longest = 0;
        Expect(expected_.QueryInfoKey(e, &e_count, &e_longest),
               actual_.QueryInfoKey(a, &a_count, &a_longest), "QueryInfoKey");
        EXPECT_EQ(e_count, a_count) << trace_;
        EXPECT_EQ(e_longest, a_longest) << trace_;
        break;
      }
    }
  }

  void CloseAll() {
    for (const auto& [e, a] : handles_) Expect(expected_.CloseKey(e), actual_.CloseKey(a), "Close");
    handles_.clear();
  }

 private:
  void Expect(RegStatus expected, RegStatus actual, const std::string& what) {
    trace_ += what + " -> " + std::to_string(expected) + "\n";
    EXPECT_EQ(expected, actual) << trace_;
  }

  RegistryApi& expected_;
  RegistryApi& actual_;
  std::mt19937 random_;
  std::vector<std::pair<RegKey, RegKey>> handles_;
  std::string trace_;
};

bool OnlyReads(const InstrumentedStore& store) {
  for (const auto& logged : store.CallLog()) {
    switch (logged.call.operation) {
      case Operation::OpenKey:
      case Operation::CloseKey:
      case Operation::QueryValue:
      case Operation::EnumKey:
      case Operation::EnumValue:
      case Operation::QueryInfoKey:
        break;
      default:
        return false;
    }
  }
  return true;
}

TEST(OverlayRegistry, AnswersEveryCallAsTheStoreWouldAndNeverChangesIt) {
  for (Rights rights : {Rights::Administrator, Rights::StandardUser}) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed) +
                   (rights == Rights::StandardUser ? ", standard user" : ", administrator"));
      MemoryRegistry expected = LoadSnapshot(kState);
      MemoryRegistry store = LoadSnapshot(kState);
      expected.SetRights(rights);
      store.SetRights(rights);
      const std::string original = SaveSnapshot(store);
      InstrumentedStore watched(store);
      {
        OverlayRegistry overlay(watched, [&](RootKey root, std::uint32_t access) {
          return store.Grants(root, access);
        });
        Twins twins(expected, overlay, seed);
        for (int step = 0; step < 150; ++step) twins.Step();
        twins.CloseAll();
        if (::testing::Test::HasFailure()) return;

        EXPECT_EQ(SaveSnapshot(CopyRegistry(overlay)), SaveSnapshot(expected));
        const OverlayRegistry::Region region = overlay.ChangedRegion();
        EXPECT_EQ(RegistryDifference(region.before, region.after),
                  RegistryDifference(LoadSnapshot(kState), expected));
      }
      EXPECT_EQ(SaveSnapshot(store), original);
      EXPECT_TRUE(OnlyReads(watched));
      EXPECT_EQ(store.OpenHandleCount(), 0u);
    }
  }
}

TEST(OverlayRegistry, AKeyRemovedAndMadeAgainHasNoneOfItsFormerValuesOrSubkeys) {
  MemoryRegistry store = LoadSnapshot(kState);
  OverlayRegistry overlay(store);
  const RegKey user = RootHandle(RootKey::CurrentUser);
  for (const char* path : {"Alpha\\Beta\\Gamma", "Alpha\\Beta", "Alpha\\Delta", "Alpha"}) {
    ASSERT_EQ(overlay.DeleteKey(user, path), kErrorSuccess) << path;
  }
  RegKey key = 0;
  std::uint32_t how = 0;
  ASSERT_EQ(overlay.CreateKey(user, "alpha\\beta", kKeyAllAccess, &key, &how), kErrorSuccess);
  EXPECT_EQ(how, kRegCreatedNewKey);
  RegistryKeyHandle held(overlay, key);
  const std::uint8_t two[] = {'2', 0};
  ASSERT_EQ(overlay.SetValue(key, "text", kRegSz, two, 2), kErrorSuccess);
  held.reset();

  const OverlayRegistry::Region region = overlay.ChangedRegion();
  EXPECT_EQ(RegistryDifference(region.before, region.after),
            (std::vector<std::string>{
                "- [HKEY_CURRENT_USER\\Alpha]",
                "+ [HKEY_CURRENT_USER\\alpha]",
                "- [HKEY_CURRENT_USER\\Alpha\\Beta]",
                "+ [HKEY_CURRENT_USER\\alpha\\beta]",
                "+ [HKEY_CURRENT_USER\\alpha\\beta] \"text\"=\"2\"",
                "- [HKEY_CURRENT_USER\\Alpha\\Beta\\Gamma]",
                "- [HKEY_CURRENT_USER\\Alpha\\Delta]",
            }));
  EXPECT_EQ(SaveSnapshot(store), SaveSnapshot(LoadSnapshot(kState)));
}

}  // namespace
}  // namespace quillmark::testing
