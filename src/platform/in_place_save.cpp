#include "platform/in_place_save.h"

#include "platform/errors.h"
#include "platform/save_steps.h"
#include "platform/services.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform::saving {

namespace {

// Every picture file is at most this long and Open reads no further, so these first bytes are all of
// an old picture there is to put back after a failure.
constexpr std::size_t KeptBytes = FileSystem::LongestPictureFile;

// The file itself, overwritten: its first bytes are kept first, and any failure puts them back.
class InPlace {
public:
    InPlace(FileCalls& calls, const std::string& target) : m_calls(calls) {
        m_fd = retrying([&] { return m_calls.open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK); });
        check(m_fd);
        if (::fstat(m_fd, &m_info) != 0) fail(errno);
        if (!S_ISREG(m_info.st_mode)) throw InOutError(FileAccessDenied);
        m_wholeKept = static_cast<std::size_t>(m_info.st_size) <= KeptBytes;
        m_old = readUpTo(KeptBytes);
    }
    ~InPlace() {
        if (m_fd >= 0) m_calls.close(m_fd);
    }
    InPlace(const InPlace&) = delete;
    InPlace& operator=(const InPlace&) = delete;

    const struct stat& info() const { return m_info; }

    // Writes all of the old file to `fd`: the bytes kept, then whatever a longer file has after them.
    void copyTo(int fd) {
        writeAll(m_calls, fd, m_old.data(), m_old.size());
        if (m_wholeKept) return;
        for (;;) {
            const std::vector<std::uint8_t> more = readUpTo(1 << 16);
            if (more.empty()) return;
            writeAll(m_calls, fd, more.data(), more.size());
        }
    }

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

    // Whether a failed write was undone in full and is on disk.
    bool restored() const { return m_restored; }

private:
    std::vector<std::uint8_t> readUpTo(std::size_t count) {
        std::vector<std::uint8_t> bytes(count);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got = retrying([&] { return m_calls.read(m_fd, bytes.data() + done, count - done); });
            check(got);
            if (got == 0) break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
        return bytes;
    }
    // Best effort: the first failure is the one the person is shown. A longer file may have lost its
    // tail to the truncation, but its first bytes, all that Open reads, are back.
    void restore() noexcept {
        try {
            writeAllAt(m_calls, m_fd, m_old);
            if (m_wholeKept) check(retrying([&] { return m_calls.truncate(m_fd, static_cast<off_t>(m_old.size())); }));
            check(retrying([&] { return m_calls.flush(m_fd); }));
            m_restored = m_wholeKept;
        } catch (const InOutError&) {
        }
    }

    FileCalls& m_calls;
    int m_fd = -1;
    struct stat m_info {};
    std::vector<std::uint8_t> m_old;
    bool m_wholeKept = false;
    bool m_restored = false;
};

// The copy takes the first free name that says what it is: "pic.wbmp~", then "pic.wbmp.before-save-2~"
// and on. A name at the length limit has no room for a suffix; its copy gets a short hidden name.
std::string copyName(const std::string& target, int number, bool shortName) {
    if (shortName) return folderOf(target) + "/.velmora-before-save-" + std::to_string(number) + "~";
    if (number == 1) return target + "~";
    return target + ".before-save-" + std::to_string(number) + "~";
}

int createCopy(FileCalls& calls, const std::string& target, std::string& name) {
    bool shortName = false;
    for (int number = 1; number < 100; ++number) {
        name = copyName(target, number, shortName);
        const int fd = retrying([&] { return calls.createNew(name.c_str(), 0600); });
        if (fd >= 0) return fd;
        if (errno == ENAMETOOLONG && !shortName) {
            shortName = true;
            number = 0;
        } else if (errno != EEXIST) {
            fail(errno);
        }
    }
    fail(EEXIST);
}

// The copy is readable by the old file's owner and group where this user may give it to them, and by
// this user alone otherwise: it must not show a private picture to anyone the file did not.
void keepOldCopy(FileCalls& calls, const std::string& target, InPlace& file, std::string& name) {
    int fd = createCopy(calls, target, name);
    try {
        if (calls.setOwner(fd, file.info().st_uid, file.info().st_gid) == 0)
            check(calls.setMode(fd, file.info().st_mode & 0666));
        file.copyTo(fd);
        check(retrying([&] { return calls.flush(fd); }));
        const int closing = fd;
        fd = -1;
        check(calls.close(closing));
        flushFolder(calls, name);
    } catch (const InOutError&) {
        if (fd >= 0) calls.close(fd);
        calls.unlink(name.c_str());
        throw;
    }
}

void removeCopy(FileCalls& calls, const std::string& name) {
    check(calls.unlink(name.c_str()));
    flushFolder(calls, name);
}

}  // namespace

void saveInPlace(FileCalls& calls, const std::string& target, const std::vector<std::uint8_t>& bytes, bool keepCopy) {
    InPlace file(calls, target);
    if (!keepCopy) {
        file.replaceWith(bytes);
        return;
    }
    std::string copy;
    keepOldCopy(calls, target, file, copy);
    try {
        file.replaceWith(bytes);
    } catch (const InOutError&) {
        // Unless the old bytes are back in full, the copy is the one place the old picture is whole: it stays.
        if (file.restored()) {
            try {
                removeCopy(calls, copy);
            } catch (const InOutError&) {
            }
        }
        throw;
    }
    removeCopy(calls, copy);
}

}  // namespace platform::saving
