#include "platform/save_steps.h"

#include "platform/errors.h"

#include <fcntl.h>

namespace platform::saving {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void fail(int error) {
    throw InOutError::fromErrno(error);
}

void check(long result) {
    if (result < 0) fail(errno);
}

namespace {

// Writes count bytes in as many calls as it takes; write(done) writes from the done-th byte on. A write
// that takes nothing without an error would loop for ever: the disk counts as full.
template <class Write>
void writeEvery(std::size_t count, Write write) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t written = retrying([&] { return write(done); });
        check(written);
        if (written == 0) fail(ENOSPC);
        done += static_cast<std::size_t>(written);
    }
}

}  // namespace

void writeAll(FileCalls& calls, int fd, const std::uint8_t* data, std::size_t count) {
    writeEvery(count, [&](std::size_t done) { return calls.write(fd, data + done, count - done); });
}

void writeAllAt(FileCalls& calls, int fd, const std::vector<std::uint8_t>& bytes) {
    writeEvery(bytes.size(), [&](std::size_t done) {
        return calls.writeAt(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    });
}

// Until its folder is on disk, a rename can be undone by a power cut, and a new name lost. A folder
// the user may not read cannot be opened to flush, and some file systems do not flush folders (EINVAL):
// both leave the names to the file system's own commit.
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

}  // namespace platform::saving
