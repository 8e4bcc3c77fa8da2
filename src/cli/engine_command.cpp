#include "cli/engine_command.h"

#include "core/failure_classes.h"
#include "tweaks/text_memo.h"
#include "tweaks/tweak_catalogue.h"
#include "tweaks/tweak_engine.h"

namespace quillmark {

std::optional<std::string> RunEngineCommand(RegistryApi& store, const EngineCommand& command,
                                            HeadlessTweakList& list) {
  HeadlessTextMemo memo;
  TweakEngine engine(store, list, memo);
  engine.SetLvItems();
  try {
    switch (command.kind) {
      case EngineCommand::Kind::Apply:
        for (int row = 0; row < kTweakCount; ++row) {
          list.SetChecked(row, command.boxes.at(static_cast<std::size_t>(row)) == 'x');
        }
        engine.SetTweaks();
        break;
      case EngineCommand::Kind::Defaults:
        engine.WriteSystemDefaults();
        break;
      case EngineCommand::Kind::Status:
        break;
    }
    engine.ProbeAll();
  } catch (const Exception& raised) {
    return raised.Message();
  }
  return std::nullopt;
}

}  // namespace quillmark
