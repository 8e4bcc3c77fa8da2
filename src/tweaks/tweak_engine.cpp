#include "tweaks/tweak_engine.h"

#include "tweaks/tweak_catalogue.h"

namespace quillmark {

TweakEngine::TweakEngine(RegistryApi& store, TweakList& lv1, TextMemo& mmo1)
    : store_(store), lv1_(lv1), mmo1_(mmo1) {}

void TweakEngine::SetLvItems() {
  for (const TweakRow& row : kTweakRows) lv1_.AppendRow(row.caption);
}

void TweakEngine::SetInformtionMemo() {
  const int index = lv1_.SelectedIndex();
  if (index < 0 || index >= kTweakCount) return;
  mmo1_.Clear();
  mmo1_.AddLine(kTweakRows[static_cast<std::size_t>(index)].information);
}

void TweakEngine::RemoveSubkeyOfOpenedKey(bool opened, const char* name, bool test_first) {
  if (!opened) return;
  if (test_first && !reg_->KeyPresent(name)) return;
  reg_->RemoveKey(name);
}

}  // namespace quillmark
