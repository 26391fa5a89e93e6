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
    std::function<int(const char* path, struct stat* info)> status;
    std::function<int(const char* path, struct stat* info)> linkStatus;
    // A new file without a name in `folder`, and the name it gets when complete.
    std::function<int(const char* folder, mode_t mode)> makeUnnamed;
    std::function<int(int fd, const char* name)> nameUnnamed;
    // A new file for writing under a name that nothing has yet, not even a link to nowhere.
    std::function<int(const char* path, mode_t mode)> createNew;

    // The real calls: mkstemp, write, fsync, close, rename, unlink, fchmod, open, read, pwrite,
    // ftruncate, fchown, stat, lstat, open with O_TMPFILE, linkat, open with O_CREAT | O_EXCL.
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
    // instead. A file the user may not write, and anything that is not a regular file (a pipe, a
    // socket, a device), is refused with "File access denied" rather than replaced behind its back.
    // Only a name that does not exist makes a new file: any other failure to look at it ends the save.
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
