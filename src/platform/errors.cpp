#include "platform/errors.h"

#include <cerrno>

namespace platform {

InOutError::InOutError(int code) : Error(inOutErrorText(code)), m_code(code) {}

std::string inOutErrorText(int code) {
    switch (code) {
        case FileNotFound:
            return "File not found";
        case InvalidFilename:
            return "Invalid filename";
        case TooManyOpenFiles:
            return "Too many open files";
        case FileAccessDenied:
            return "File access denied";
        case DiskFull:
            return "Disk full";
        default:
            return "I/O error " + std::to_string(code);
    }
}

InOutError InOutError::fromErrno(int error) {
    int code = 0;
    switch (error) {
        case ENOENT:
            code = FileNotFound;
            break;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
        case EISDIR:
            code = InvalidFilename;
            break;
        case EMFILE:
        case ENFILE:
            code = TooManyOpenFiles;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            code = FileAccessDenied;
            break;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            code = DiskFull;
            break;
        default:
            return InOutError(error, "I/O error " + std::to_string(error));
    }
    return InOutError(code);
}

}  // namespace platform
