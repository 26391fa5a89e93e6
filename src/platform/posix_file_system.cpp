#include "platform/posix_file_system.h"

#include "platform/errors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

mode_t modeForNewFile() {
    // umask() can only be read by setting it; the program has one thread, so putting it back at once
    // is safe.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

// Retries a call that a signal interrupted.
template <class Call>
auto retrying(Call&& call) {
    for (;;) {
        auto result = call();
        if (result != -1 || errno != EINTR) return result;
    }
}

[[noreturn]] void fail(int error) {
    throw InOutError::fromErrno(error);
}

void check(long result) {
    if (result < 0) fail(errno);
}

// The file a save goes to: the path itself, or the file a symbolic link at the path leads to, so that
// the link stays and every name for the file sees the new picture. A link that leads nowhere or round
// in a circle is refused rather than replaced by a new file the person never looks at.
std::string resolvedTarget(const std::string& path) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) fail(errno);
    return resolved.get();
}

// A file with a second name keeps it only if its bytes change where they are, and a folder the user
// may not write cannot take a new file.
bool mustWriteInPlace(const std::string& target, const struct stat& existing) {
    if (!S_ISREG(existing.st_mode)) return false;
    return existing.st_nlink > 1 || ::access(folderOf(target).c_str(), W_OK | X_OK) != 0;
}

// A rename is on disk only once its folder is; until then a power cut can bring the old file back, or
// lose a new one. A folder the user may not read cannot be opened to flush, and some file systems do
// not flush folders (EINVAL): both leave the rename to the file system's own commit.
void flushFolder(FileCalls& calls, const std::string& file) {
    const int fd = retrying([&] { return calls.open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0) {
        if (errno == EACCES) return;
        fail(errno);
    }
    const int flushed = retrying([&] { return calls.flush(fd); });
    const int error = errno;
    calls.close(fd);
    if (flushed != 0 && error != EINVAL) fail(error);
}

void writeAllAt(FileCalls& calls, int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = retrying(
            [&] { return calls.writeAt(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done)); });
        check(written);
        if (written == 0) fail(ENOSPC);
        done += static_cast<std::size_t>(written);
    }
}

// All of an old picture there is to keep.
constexpr std::size_t KeptBytes = FileSystem::LongestPictureFile;

// The file itself, overwritten: its first bytes are kept first, and any failure puts them back.
class InPlace {
public:
    InPlace(FileCalls& calls, const std::string& target) : m_calls(calls) {
        m_fd = retrying([&] { return m_calls.open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK); });
        check(m_fd);
        struct stat info {};
        if (::fstat(m_fd, &info) != 0) fail(errno);
        m_wholeKept = static_cast<std::size_t>(info.st_size) <= KeptBytes;
        keepOldBytes();
    }
    ~InPlace() {
        if (m_fd >= 0) m_calls.close(m_fd);
    }
    InPlace(const InPlace&) = delete;
    InPlace& operator=(const InPlace&) = delete;

    void replaceWith(const std::vector<std::uint8_t>& bytes) {
        try {
            writeAllAt(m_calls, m_fd, bytes);
            check(retrying([&] { return m_calls.truncate(m_fd, static_cast<off_t>(bytes.size())); }));
            check(retrying([&] { return m_calls.flush(m_fd); }));
        } catch (const InOutError&) {
            restore();
            throw;
        }
        const int fd = m_fd;
        m_fd = -1;
        check(m_calls.close(fd));
    }

private:
    void keepOldBytes() {
        m_old.resize(KeptBytes);
        std::size_t done = 0;
        while (done < KeptBytes) {
            const ssize_t got = retrying([&] { return m_calls.read(m_fd, m_old.data() + done, KeptBytes - done); });
            check(got);
            if (got == 0) break;
            done += static_cast<std::size_t>(got);
        }
        m_old.resize(done);
    }
    // Best effort: the first failure is the one the person is shown. A longer file may have lost its
    // tail to the truncation, but its first bytes, all that Open reads, are back.
    void restore() noexcept {
        try {
            writeAllAt(m_calls, m_fd, m_old);
            if (m_wholeKept) retrying([&] { return m_calls.truncate(m_fd, static_cast<off_t>(m_old.size())); });
            retrying([&] { return m_calls.flush(m_fd); });
        } catch (const InOutError&) {
        }
    }

    FileCalls& m_calls;
    int m_fd = -1;
    std::vector<std::uint8_t> m_old;
    bool m_wholeKept = false;
};

// The temporary file of one save: removed again unless it was renamed over the target.
class Temporary {
public:
    Temporary(FileCalls& calls, const std::string& target)
        : m_calls(calls), m_name(folderOf(target) + "/.velmora-save-XXXXXX") {
        m_fd = m_calls.makeTemporary(m_name.data());
        if (m_fd < 0) throw InOutError::fromErrno(errno);
    }
    ~Temporary() {
        if (m_fd >= 0) m_calls.close(m_fd);
        if (!m_renamed) m_calls.unlink(m_name.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    // Answers false when the system does not let this user give the file to that owner and group.
    bool takeOwner(uid_t owner, gid_t group) {
        if (m_calls.setOwner(m_fd, owner, group) == 0) return true;
        if (errno == EPERM) return false;
        throw InOutError::fromErrno(errno);
    }
    void setMode(mode_t mode) { check(m_calls.setMode(m_fd, mode)); }
    void write(const std::vector<std::uint8_t>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written =
                retrying([&] { return m_calls.write(m_fd, bytes.data() + done, bytes.size() - done); });
            check(written < 0 ? -1 : 0);
            // A write that takes nothing without an error would loop for ever; treat it as a full disk.
            if (written == 0) throw InOutError::fromErrno(ENOSPC);
            done += static_cast<std::size_t>(written);
        }
    }
    void flush() {
        check(retrying([&] { return m_calls.flush(m_fd); }));
    }
    void close() {
        const int fd = m_fd;
        m_fd = -1;
        check(m_calls.close(fd));
    }
    void renameOver(const std::string& target) {
        check(m_calls.rename(m_name.c_str(), target.c_str()));
        m_renamed = true;
    }

private:
    FileCalls& m_calls;
    std::string m_name;
    int m_fd = -1;
    bool m_renamed = false;
};

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
    return calls;
}

PosixFileSystem::PosixFileSystem() : m_calls(FileCalls::system()) {}

PosixFileSystem::PosixFileSystem(FileCalls calls) : m_calls(std::move(calls)) {}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void PosixFileSystem::writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string target = resolvedTarget(path);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        replaceThroughTemporary(target, bytes, nullptr);
        return;
    }
    if (S_ISDIR(existing.st_mode)) fail(EISDIR);
    if (::access(target.c_str(), W_OK) != 0) fail(errno);
    if (mustWriteInPlace(target, existing) || !replaceThroughTemporary(target, bytes, &existing))
        InPlace(m_calls, target).replaceWith(bytes);
}

// A replaced file gets its owner before its mode, since a change of owner clears the set-user and
// set-group bits; a file that cannot keep its owner is not replaced at all, so those bits never pass to
// another user.
bool PosixFileSystem::replaceThroughTemporary(const std::string& target, const std::vector<std::uint8_t>& bytes,
                                              const struct stat* existing) {
    Temporary temporary(m_calls, target);
    if (existing && !temporary.takeOwner(existing->st_uid, existing->st_gid)) return false;
    temporary.setMode(existing ? existing->st_mode & 07777 : modeForNewFile());
    temporary.write(bytes);
    temporary.flush();
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
