#pragma once

#include "platform/posix_file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::saving {

// The new file of one save, made in its target's folder. Where the file system allows it the file has
// no name while it is written, so that a power cut before the end leaves nothing behind; it is named
// only once complete, just before it is renamed over the target. Where the file system refuses unnamed
// files it is a hidden file from the start. Either way it is removed again unless it was renamed over
// the target.
class TemporaryFile {
public:
    TemporaryFile(FileCalls& calls, const std::string& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Answers false when the system does not let this user give the file to that owner and group.
    bool takeOwner(uid_t owner, gid_t group);
    void setMode(mode_t mode);
    void write(const std::vector<std::uint8_t>& bytes);
    void flush();
    // Gives an unnamed file a hidden name of its own; a named file keeps the one it has.
    void giveName();
    void close();
    void renameOver(const std::string& target);

private:
    FileCalls& m_calls;
    std::string m_folder;
    std::string m_name;
    int m_fd = -1;
    bool m_renamed = false;
};

}  // namespace platform::saving
