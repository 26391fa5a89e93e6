#pragma once

#include <string>

namespace support {

// A fresh empty directory under the system's temporary folder that is the working directory while
// this object lives; the previous working directory comes back and the directory goes away with it.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_previous;
    std::string m_path;
};

}  // namespace support
