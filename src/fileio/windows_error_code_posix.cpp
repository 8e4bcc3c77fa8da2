#include <cerrno>

#include "fileio/file_api.h"
#include "fileio/windows_error_code.h"

namespace quillmark {

std::uint32_t WindowsErrorCode(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kPathNotFound;  // with O_CREAT only a missing folder is missing
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return kAccessDenied;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case ETXTBSY:
    case EBUSY:
      return kSharingViolation;
    case EEXIST:
      return kFileExists;
    case EBADF:
      return 6;  // ERROR_INVALID_HANDLE
    case ENOMEM:
      return 8;  // ERROR_NOT_ENOUGH_MEMORY
    case ENXIO:
    case ENODEV:
      return 21;  // ERROR_NOT_READY
    case EINVAL:
      return 87;  // ERROR_INVALID_PARAMETER
    case EPIPE:
      return 109;  // ERROR_BROKEN_PIPE
    case ENAMETOOLONG:
      return 206;  // ERROR_FILENAME_EXCED_RANGE
    case EFBIG:
      return 223;  // ERROR_FILE_TOO_LARGE
    case EIO:
      return 1117;  // ERROR_IO_DEVICE
    case ELOOP:
      return 1921;  // ERROR_CANT_RESOLVE_FILENAME
    default:
      return 31;  // ERROR_GEN_FAILURE
  }
}

}  // namespace quillmark
