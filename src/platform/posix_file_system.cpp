#include "platform/posix_file_system.h"

#include "platform/errors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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
    static void check(long result) {
        if (result < 0) throw InOutError::fromErrno(errno);
    }

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
    return calls;
}

PosixFileSystem::PosixFileSystem() : m_calls(FileCalls::system()) {}

PosixFileSystem::PosixFileSystem(FileCalls calls) : m_calls(std::move(calls)) {}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void PosixFileSystem::writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    struct stat existing {};
    const bool replacing = ::stat(path.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) throw InOutError::fromErrno(EISDIR);
    if (replacing && ::access(path.c_str(), W_OK) != 0) throw InOutError::fromErrno(errno);

    Temporary temporary(m_calls, path);
    temporary.setMode(replacing ? existing.st_mode & 07777 : modeForNewFile());
    temporary.write(bytes);
    temporary.flush();
    temporary.close();
    temporary.renameOver(path);
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
