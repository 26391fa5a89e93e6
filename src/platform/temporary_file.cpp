#include "platform/temporary_file.h"

#include "platform/errors.h"
#include "platform/save_steps.h"

#include <random>

namespace platform::saving {

namespace {

const char* const HiddenPrefix = "/.velmora-save-";

// A kernel older than unnamed files takes the flag for a folder (EISDIR); a file system without them
// answers EOPNOTSUPP, and some EINVAL.
bool refusesUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

std::string randomHiddenName(const std::string& folder) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string name = folder + HiddenPrefix;
    for (int i = 0; i < 6; ++i) name += letters[random() % (sizeof letters - 1)];
    return name;
}

}  // namespace

TemporaryFile::TemporaryFile(FileCalls& calls, const std::string& target) : m_calls(calls), m_folder(folderOf(target)) {
    m_fd = retrying([&] { return m_calls.makeUnnamed(m_folder.c_str(), 0600); });
    if (m_fd >= 0) return;
    if (!refusesUnnamedFiles(errno)) fail(errno);
    m_name = m_folder + HiddenPrefix + "XXXXXX";
    m_fd = m_calls.makeTemporary(m_name.data());
    if (m_fd < 0) {
        m_name.clear();
        fail(errno);
    }
}

TemporaryFile::~TemporaryFile() {
    if (m_fd >= 0) m_calls.close(m_fd);
    if (!m_name.empty() && !m_renamed) m_calls.unlink(m_name.c_str());
}

bool TemporaryFile::takeOwner(uid_t owner, gid_t group) {
    if (m_calls.setOwner(m_fd, owner, group) == 0) return true;
    if (errno == EPERM) return false;
    fail(errno);
}

void TemporaryFile::setMode(mode_t mode) {
    check(m_calls.setMode(m_fd, mode));
}

void TemporaryFile::write(const std::vector<std::uint8_t>& bytes) {
    writeAll(m_calls, m_fd, bytes.data(), bytes.size());
}

void TemporaryFile::flush() {
    check(retrying([&] { return m_calls.flush(m_fd); }));
}

// Another save may have taken the name drawn; the file is linked under another one then.
void TemporaryFile::giveName() {
    if (!m_name.empty()) return;
    for (int tries = 0; tries < 100; ++tries) {
        std::string name = randomHiddenName(m_folder);
        if (retrying([&] { return m_calls.nameUnnamed(m_fd, name.c_str()); }) == 0) {
            m_name = std::move(name);
            return;
        }
        if (errno != EEXIST) fail(errno);
    }
    fail(EEXIST);
}

void TemporaryFile::close() {
    const int fd = m_fd;
    m_fd = -1;
    check(m_calls.close(fd));
}

void TemporaryFile::renameOver(const std::string& target) {
    check(m_calls.rename(m_name.c_str(), target.c_str()));
    m_renamed = true;
}

}  // namespace platform::saving
