// The program's own operator new, which can be told to refuse. It replaces the library's for the
// whole test program, so what it knows lives here, at namespace scope.
#include "win32/refused_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The replacements pair malloc with free; seen together here, the compiler takes the library's
// pairing of new with delete for a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<bool> allocations_refused{false};

}  // namespace

void* operator new(std::size_t size) {
  if (!allocations_refused.load())
    if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace quillmark::win32::testing {

RefusedAllocations::RefusedAllocations() { allocations_refused = true; }

RefusedAllocations::~RefusedAllocations() { allocations_refused = false; }

bool AllocationFails() {
  try {
    ::operator delete(::operator new(16));
    return false;
  } catch (const std::bad_alloc&) {
    return true;
  }
}

}  // namespace quillmark::win32::testing
