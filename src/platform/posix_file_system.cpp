#include "platform/posix_file_system.h"

#include "platform/errors.h"
#include "platform/in_place_save.h"
#include "platform/save_steps.h"
#include "platform/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace platform {

using namespace saving;

namespace {

mode_t modeForNewFile() {
    // umask() can only be read by setting it; the program has one thread, so putting it back at once
    // is safe.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

// The file a save goes to: the path itself, or the file a symbolic link at the path leads to, so that
// the link stays and every name for the file sees the new picture. A link that leads nowhere or round
// in a circle is refused rather than replaced by a new file the person never looks at.
std::string resolvedTarget(FileCalls& calls, const std::string& path) {
    struct stat entry {};
    if (calls.linkStatus(path.c_str(), &entry) != 0) {
        if (errno == ENOENT) return path;
        fail(errno);
    }
    if (!S_ISLNK(entry.st_mode)) return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) fail(errno);
    return resolved.get();
}

bool folderIsWritable(const std::string& target) {
    return ::access(folderOf(target).c_str(), W_OK | X_OK) == 0;
}

// /proc names the open file for every user; without /proc only a privileged caller may link by the
// descriptor itself.
int linkOpenFile(int fd, const char* name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const int linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW);
    if (linked == 0 || errno != ENOENT) return linked;
    return ::linkat(fd, "", AT_FDCWD, name, AT_EMPTY_PATH);
}

}  // namespace

FileCalls FileCalls::system() {
    FileCalls calls;
    calls.makeTemporary = [](char* nameTemplate) { return ::mkostemp(nameTemplate, O_CLOEXEC); };
    calls.write = [](int fd, const void* data, size_t count) { return ::write(fd, data, count); };
    calls.flush = [](int fd) { return ::fsync(fd); };
    calls.close = [](int fd) { return ::close(fd); };
    calls.rename = [](const char* from, const char* to) { return ::rename(from, to); };
    calls.unlink = [](const char* path) { return ::unlink(path); };
    calls.setMode = [](int fd, mode_t mode) { return ::fchmod(fd, mode); };
    calls.open = [](const char* path, int flags) { return ::open(path, flags); };
    calls.read = [](int fd, void* data, size_t count) { return ::read(fd, data, count); };
    calls.writeAt = [](int fd, const void* data, size_t count, off_t offset) {
        return ::pwrite(fd, data, count, offset);
    };
    calls.truncate = [](int fd, off_t length) { return ::ftruncate(fd, length); };
    calls.setOwner = [](int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); };
    calls.status = [](const char* path, struct stat* info) { return ::stat(path, info); };
    calls.linkStatus = [](const char* path, struct stat* info) { return ::lstat(path, info); };
    calls.makeUnnamed = [](const char* folder, mode_t mode) {
        return ::open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    };
    calls.nameUnnamed = linkOpenFile;
    calls.createNew = [](const char* path, mode_t mode) {
        return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    };
    return calls;
}

PosixFileSystem::PosixFileSystem() : m_calls(FileCalls::system()) {}

PosixFileSystem::PosixFileSystem(FileCalls calls) : m_calls(std::move(calls)) {}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Only a regular file is ever opened for writing: a pipe would block the program until something
// reads it, and a device or socket is no place for a picture.
void PosixFileSystem::writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string target = resolvedTarget(m_calls, path);
    struct stat existing {};
    if (m_calls.status(target.c_str(), &existing) != 0) {
        if (errno != ENOENT) fail(errno);
        replaceThroughTemporary(target, bytes, nullptr);
        return;
    }
    if (S_ISDIR(existing.st_mode)) fail(EISDIR);
    if (!S_ISREG(existing.st_mode)) throw InOutError(FileAccessDenied);
    if (::access(target.c_str(), W_OK) != 0) fail(errno);
    // A file with a second name keeps it only if its bytes change where they are, and a folder the user
    // may not write can take neither a new file nor a copy of the old one.
    const bool writableFolder = folderIsWritable(target);
    if (existing.st_nlink > 1 || !writableFolder || !replaceThroughTemporary(target, bytes, &existing))
        saveInPlace(m_calls, target, bytes, writableFolder);
}

// A replaced file gets its owner before its mode, since a change of owner clears the set-user and
// set-group bits; a file that cannot keep its owner is not replaced at all, so those bits never pass to
// another user.
bool PosixFileSystem::replaceThroughTemporary(const std::string& target, const std::vector<std::uint8_t>& bytes,
                                              const struct stat* existing) {
    TemporaryFile temporary(m_calls, target);
    if (existing && !temporary.takeOwner(existing->st_uid, existing->st_gid)) return false;
    temporary.setMode(existing ? existing->st_mode & 07777 : modeForNewFile());
    temporary.write(bytes);
    temporary.flush();
    temporary.giveName();
    temporary.close();
    temporary.renameOver(target);
    flushFolder(m_calls, target);
    return true;
}

ReadResult PosixFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    const int fd = retrying([&] { return m_calls.open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); });
    if (fd < 0) throw CannotOpen{};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_calls.close(fd);
        throw CannotOpen{};
    }
    ReadResult result;
    result.bytes.resize(maxBytes);
    std::size_t done = 0;
    while (done < maxBytes) {
        const ssize_t got = retrying([&] { return m_calls.read(fd, result.bytes.data() + done, maxBytes - done); });
        if (got < 0) {
            const int error = errno;
            m_calls.close(fd);
            throw InOutError::fromErrno(error);
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    m_calls.close(fd);
    result.bytes.resize(done);
    return result;
}

}  // namespace platform
