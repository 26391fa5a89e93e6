#include "support/scratch_directory.h"

#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace support {

ScratchDirectory::ScratchDirectory() {
    namespace fs = std::filesystem;
    m_previous = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "velmora-scratch-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
    m_path = pattern;
    fs::current_path(m_path);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    // A test may have taken the directory's own permissions away to make writing into it fail.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace support
