#include "files/temporary_name.h"

#include <cstdint>
#include <random>

namespace quillmark {

std::string TemporaryNameBeside(const std::string& path) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::random_device source;
  std::uint64_t bits = static_cast<std::uint64_t>(source()) << 32 | source();
  std::string name = path + ".";
  for (int digit = 0; digit < 16; ++digit, bits >>= 4) name += kDigits[bits & 0xF];
  return name + ".tmp";
}

}  // namespace quillmark
