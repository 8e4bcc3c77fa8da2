// The footprint table lists what the tweaks own, no more and no less, as a list of our own states
// it; and Apply, Defaults and the probe run that follows change nothing but those keys and
// values, and the keys on the way to them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/ascii_case.h"
#include "regfile/registry_difference.h"
#include "registry/key_path.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "support/owned_state.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark::testing {
namespace {

struct Line {
  std::vector<std::string> key;  // the root's name first
  bool about_value = false;
  std::string value;
};

// "+ [HKEY_CURRENT_USER\Control Panel\Mouse] "MouseHoverTime"="50"" and the like.
Line Parse(const std::string& text) {
  Line line;
  const std::size_t close = text.find(']');
  line.key = KeyNames(text.substr(3, close - 3));
  std::string rest = text.substr(close + 1);
  if (rest.empty()) return line;
  line.about_value = true;
  if (rest[1] == '@') return line;
  for (std::size_t i = 2; i < rest.size() && rest[i] != '"'; ++i) {
    if (rest[i] == '\\') ++i;
    line.value += rest[i];
  }
  return line;
}

bool Below(const std::vector<std::string>& key, const std::vector<std::string>& owned) {
  if (key.size() < owned.size()) return false;
  for (std::size_t i = 0; i < owned.size(); ++i) {
    if (!EqualsNoCase(key[i], owned[i])) return false;
  }
  return true;
}

bool SameNames(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  return a.size() == b.size() && Below(a, b);
}

bool Owned(const Line& line) {
  for (const OwnedItem& item : kOwnedByTweaks) {
    const std::vector<std::string> key = KeyNames(item.key);
    if (item.value == nullptr && Below(line.key, key)) return true;
    if (line.about_value && item.value != nullptr && line.key.size() == key.size() &&
        Below(line.key, key) && EqualsNoCase(line.value, item.value)) {
      return true;
    }
    // A key made on the way to something owned.
    if (!line.about_value && line.key.size() <= key.size() && Below(key, line.key)) return true;
  }
  return false;
}

bool SameItem(const FootprintItem& product, const OwnedItem& ours) {
  std::vector<std::string> full = KeyNames(product.key);
  full.insert(full.begin(), std::string(RootName(product.root)));
  if (!SameNames(full, KeyNames(ours.key))) return false;
  if (product.value == nullptr || ours.value == nullptr) return product.value == ours.value;
  return EqualsNoCase(product.value, ours.value);
}

std::string Describe(const FootprintItem& item) {
  return std::string(RootName(item.root)) + item.key +
         (item.value ? " '" + std::string(item.value) + "'" : "");
}

TEST(Footprint, TheTableListsWhatTheTweaksOwnNothingMissingNothingExtra) {
  const std::vector<FootprintItem> product = OwnedFootprint();
  for (const FootprintItem& item : product) {
    const auto matches = std::count_if(std::begin(kOwnedByTweaks), std::end(kOwnedByTweaks),
                                       [&](const OwnedItem& ours) { return SameItem(item, ours); });
    EXPECT_EQ(matches, 1)
        << Describe(item)
        << " is in the table but not (or twice) in the list of what the tweaks own";
  }
  for (const OwnedItem& ours : kOwnedByTweaks) {
    const auto matches =
        std::count_if(product.begin(), product.end(),
                      [&](const FootprintItem& item) { return SameItem(item, ours); });
    EXPECT_EQ(matches, 1) << "the table should list " << ours.key << " "
                          << (ours.value ? "'" + std::string(ours.value) + "'" : "(whole key)")
                          << " once";
  }
}

TEST(Footprint, EveryOperationChangesOnlyWhatTheTweaksOwn) {
  const std::function<void(EngineHarness&)> operations[] = {
      [](EngineHarness& h) { h.TickExactly("xxxxxxxxxxxxxx"), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.TickExactly(".............."), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.TickExactly("x.x.x.x.x.x.x."), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.TickExactly(".x.x.x.x.x.x.x"), h.engine.SetTweaks(); },
      [](EngineHarness& h) { h.engine.WriteSystemDefaults(); },
  };
  int lines_seen = 0;
  for (const char* state : {kFreshWindows7, kOddTweaks, kScriptHeader}) {
    for (const auto& operation : operations) {
      EngineHarness harness(state);
      const MemoryRegistry before = LoadSnapshot(state);
      try {
        operation(harness);
        harness.engine.ProbeAll();
      } catch (const ERegistryException&) {
        // Defaults stops where a key it does not make is missing; what it did so far counts.
      }
      for (const std::string& text : RegistryDifference(before, harness.registry)) {
        EXPECT_TRUE(Owned(Parse(text))) << text;
        ++lines_seen;
      }
    }
  }
  EXPECT_GT(lines_seen, 100);
}

}  // namespace
}  // namespace quillmark::testing
