// An open hivex hive, closed once with hivex_close; and hivex's allocations, freed with free.
#pragma once

#include <hivex.h>

#include <cstdlib>
#include <memory>

#include "core/unique_owner.h"

namespace quillmark {

struct HiveCloser {
  void operator()(hive_h* hive) const { hivex_close(hive); }
};
using HiveHandle = UniqueOwner<hive_h*, HiveCloser, nullptr>;

struct HivexFree {
  void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using HivexMemory = std::unique_ptr<T, HivexFree>;

}  // namespace quillmark
