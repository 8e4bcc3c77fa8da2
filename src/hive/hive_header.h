// The base block of a hive file (its first 4 KiB): the few fields that tell whether the file is
// a hive this store may read and write. Nothing beyond it is parsed here; hivex reads the rest.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

inline constexpr std::size_t kHiveBaseBlockSize = 4096;

struct HiveHeader {
  std::uint32_t primary_sequence = 0;
  std::uint32_t secondary_sequence = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t file_type = 0;
  std::uint32_t bins_size = 0;  // the bytes of hive bins after the base block

  // Equal sequence numbers: the system finished its last write and shut the hive cleanly.
  bool Clean() const { return primary_sequence == secondary_sequence; }
  // From minor version 4 on, a value over 16,344 bytes lives in a big-data record, which hivex
  // does not write.
  bool NeedsBigDataRecords() const { return minor >= 4; }
};

// What is wrong with the start of a file of file_size bytes as a hive this store uses, or an
// empty text; header is filled in as far as the block holds it.
std::string HiveHeaderFault(std::string_view start, std::uint64_t file_size, HiveHeader& header);

}  // namespace quillmark
