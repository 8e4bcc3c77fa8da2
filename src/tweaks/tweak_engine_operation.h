// One engine operation's registry object: made when the operation starts, kept in the shared
// registry variable, and freed when the operation ends, however it ends.
#pragma once

#include <memory>

#include "tweaks/tweak_engine.h"

namespace quillmark {

class TweakEngine::Operation {
 public:
  explicit Operation(TweakEngine& engine) : engine_(engine) {
    engine_.reg_ = std::make_unique<TRegistry>(engine_.store_);
  }
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;
  ~Operation() { engine_.reg_.reset(); }

  TRegistry* operator->() const { return engine_.reg_.get(); }

 private:
  TweakEngine& engine_;
};

}  // namespace quillmark
