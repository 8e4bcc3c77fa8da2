// Running out of memory on demand: while a RefusedAllocations lives, every operator new of this
// test program throws std::bad_alloc, as it would with no memory left.
#pragma once

namespace quillmark::win32::testing {

class RefusedAllocations {
 public:
  RefusedAllocations();
  RefusedAllocations(const RefusedAllocations&) = delete;
  RefusedAllocations& operator=(const RefusedAllocations&) = delete;
  ~RefusedAllocations();
};

// Whether an allocation now throws std::bad_alloc.
bool AllocationFails();

}  // namespace quillmark::win32::testing
