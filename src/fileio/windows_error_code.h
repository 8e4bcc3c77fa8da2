// For the POSIX companions: the Windows error code a user would see for the same cause, so that
// the messages are those of Windows.
#pragma once

#include <cstdint>

namespace quillmark {

std::uint32_t WindowsErrorCode(int posix_error);

}  // namespace quillmark
