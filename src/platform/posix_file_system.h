#pragma once

#include "platform/services.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>

namespace platform {

// The system calls the file system makes, one member each, so that a test can make any single step
// fail with the errno of its choice. Each follows its C function's contract: -1 and errno on failure.
struct FileCalls {
    std::function<int(char* nameTemplate)> makeTemporary;
    std::function<ssize_t(int fd, const void* data, size_t count)> write;
    std::function<int(int fd)> flush;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
    std::function<int(const char* path)> unlink;
    std::function<int(int fd, mode_t mode)> setMode;
    std::function<int(const char* path, int flags)> open;
    std::function<ssize_t(int fd, void* data, size_t count)> read;
    std::function<ssize_t(int fd, const void* data, size_t count, off_t offset)> writeAt;
    std::function<int(int fd, off_t length)> truncate;
    std::function<int(int fd, uid_t owner, gid_t group)> setOwner;

    // The real calls: mkstemp, write, fsync, close, rename, unlink, fchmod, open, read, pwrite,
    // ftruncate, fchown.
    static FileCalls system();
};

// Files on a POSIX system.
class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();
    explicit PosixFileSystem(FileCalls calls);

    bool exists(const std::string& path) override;
    // A symbolic link is followed to its file. A replaced file keeps its owner, group and permission
    // bits; a new one gets 0644 less the umask. A file with a second name, one in a folder the user
    // may not write, or one whose owner the user cannot give a new file to is written in place
    // instead. A file the user may not write is refused with "File access denied" rather than
    // replaced behind its back.
    void writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    // Anything but a regular file (a folder, a pipe, a device) cannot be opened: reading a pipe could
    // block the program forever.
    ReadResult readFile(const std::string& path, std::size_t maxBytes) override;

private:
    // Writes a new file, or one replacing `existing`, and renames it into place. Answers false, having
    // left nothing behind, when the new file could not be given the old one's owner and group.
    bool replaceThroughTemporary(const std::string& target, const std::vector<std::uint8_t>& bytes,
                                 const struct stat* existing);

    FileCalls m_calls;
};

}  // namespace platform
