// One block through a write call that may take only part of what it is offered, as a pipe or a
// nearly full disk does: the rest is offered again until all of it went, a call failed, or one
// took nothing.
#pragma once

#include <cstdint>

namespace quillmark {

// write_some(data, size, &done) writes up to size bytes, telling in done how many went; false
// when it failed. True unless a call failed; written says how many bytes went in all.
template <typename WriteSome>
bool WriteWhole(WriteSome&& write_some, const void* data, std::uint32_t size,
                std::uint32_t* written) {
  *written = 0;
  const char* next = static_cast<const char*>(data);
  while (*written < size) {
    const std::uint32_t left = size - *written;
    std::uint32_t done = 0;
    if (!write_some(next, left, &done)) return false;
    if (done == 0) break;  // nothing taken and no error: the caller sees a short write
    if (done > left) done = left;
    *written += done;
    next += done;
  }
  return true;
}

}  // namespace quillmark
