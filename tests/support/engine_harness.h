// The tweak engine over a registry snapshot, with a headless list and memo wired as the main
// window wires them: every change report of the list rewrites the memo.
#pragma once

#include <string>
#include <string_view>

#include "regfile/registry_script.h"
#include "stores/memory_registry.h"
#include "support/instrumented_store.h"
#include "support/registry_failure.h"
#include "tweaks/headless_tweak_list.h"
#include "tweaks/text_memo.h"
#include "tweaks/tweak_engine.h"

namespace quillmark::testing {

inline constexpr const char* kScriptHeader = "Windows Registry Editor Version 5.00\n";

struct EngineHarness {
  explicit EngineHarness(std::string_view script = kScriptHeader)
      : registry(LoadSnapshot(script)), store(registry), engine(store, list, memo) {
    list.SetOnChange([this] {
      ++changes;
      engine.SetInformtionMemo();
    });
    engine.SetLvItems();
  }

  // Ticks exactly the rows marked "x" in boxes ("x.x..." ticks rows 0 and 2).
  void TickExactly(std::string_view boxes) {
    for (int row = 0; row < list.RowCount(); ++row) {
      list.SetChecked(row, static_cast<std::size_t>(row) < boxes.size() && boxes[row] == 'x');
    }
  }
  void TickMask(unsigned mask) {
    for (int row = 0; row < list.RowCount(); ++row) list.SetChecked(row, (mask >> row) & 1u);
  }
  std::string Snapshot() const { return SaveSnapshot(registry); }

  MemoryRegistry registry;
  InstrumentedStore store;  // what the engine works on
  HeadlessTweakList list;
  HeadlessTextMemo memo;
  TweakEngine engine;
  int changes = 0;
};

}  // namespace quillmark::testing
