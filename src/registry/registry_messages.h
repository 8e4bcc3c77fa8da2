// The registry object's failure messages; "%s" stands for the key path or value name.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

inline constexpr std::string_view kFailedToCreateKey = "Failed to create key %s";
inline constexpr std::string_view kFailedToGetData = "Failed to get data for '%s'";
inline constexpr std::string_view kInvalidDataType = "Invalid data type for '%s'";
inline constexpr std::string_view kFailedToSetData = "Failed to set data for '%s'";

// Puts text in the place of the first "%s" of format.
inline std::string FillPlaceholder(std::string_view format, std::string_view text) {
  std::string result(format);
  if (auto at = result.find("%s"); at != std::string::npos) result.replace(at, 2, text);
  return result;
}

}  // namespace quillmark
