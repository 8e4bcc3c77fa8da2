// An open hivex hive, closed once with hivex_close; and hivex's allocations, freed with free.
#pragma once

#include <hivex.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// A value's type travels through hivex's enum, which names only the usual types; any other
// 32-bit type is stored as well, so it goes in and out as the number it is.
static_assert(sizeof(hive_type) == sizeof(std::uint32_t));
inline hive_type* TypeSlot(std::uint32_t& type) { return reinterpret_cast<hive_type*>(&type); }
inline void SetType(hive_set_value& value, std::uint32_t type) {
  std::memcpy(&value.t, &type, sizeof type);
}

}  // namespace quillmark
