#include "hive/hive_header.h"

#include <cstdio>

namespace quillmark {

namespace {

constexpr std::size_t kChecksumOffset = 508;

std::uint32_t Word(std::string_view block, std::size_t offset) {
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    word |= static_cast<std::uint32_t>(static_cast<unsigned char>(block[offset + i])) << (8 * i);
  }
  return word;
}

std::string Formatted(const char* text, unsigned long long a, unsigned long long b = 0) {
  char line[200];
  std::snprintf(line, sizeof line, text, a, b);
  return line;
}

}  // namespace

std::string HiveHeaderFault(std::string_view start, std::uint64_t file_size, HiveHeader& header) {
  if (start.size() < kHiveBaseBlockSize) {
    return Formatted("it is shorter (%llu bytes) than the 4096 bytes of a hive's base block",
                     start.size());
  }
  if (start.substr(0, 4) != "regf") return "it does not begin with the hive signature \"regf\"";
  std::uint32_t sum = 0;
  for (std::size_t offset = 0; offset < kChecksumOffset; offset += 4) sum ^= Word(start, offset);
  // The system writes 0xFFFFFFFF as 0xFFFFFFFE and 0 as 1.
  const std::uint32_t stored = Word(start, kChecksumOffset);
  const std::uint32_t adjusted = sum == 0xFFFFFFFFu ? 0xFFFFFFFEu : sum == 0 ? 1u : sum;
  if (stored != sum && stored != adjusted) return "the checksum of its base block is wrong";
  header.primary_sequence = Word(start, 4);
  header.secondary_sequence = Word(start, 8);
  header.major = Word(start, 20);
  header.minor = Word(start, 24);
  header.file_type = Word(start, 28);
  header.bins_size = Word(start, 40);
  if (header.file_type != 0) {
    return Formatted("it is not a primary hive file but of type %llu (a log or an alternate)",
                     header.file_type);
  }
  if (header.major != 1 || header.minor < 3 || header.minor > 6) {
    return Formatted("its format version %llu.%llu is not one of 1.3 to 1.6", header.major,
                     header.minor);
  }
  const std::uint64_t needed = kHiveBaseBlockSize + static_cast<std::uint64_t>(header.bins_size);
  if (header.bins_size == 0 || header.bins_size % kHiveBaseBlockSize != 0) {
    return Formatted("its base block gives a size of %llu bytes of hive bins, which no hive has",
                     header.bins_size);
  }
  if (file_size < needed) {
    return Formatted("it is cut short: %llu bytes of the %llu its base block gives", file_size,
                     needed);
  }
  return {};
}

}  // namespace quillmark
