#pragma once

#include "platform/posix_file_system.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

// The small steps that every way of saving a file is made of. Each failure is raised as the input/output
// error of its errno.
namespace platform::saving {

std::string folderOf(const std::string& path);

// Retries a call that a signal interrupted.
template <class Call>
auto retrying(Call&& call) {
    for (;;) {
        auto result = call();
        if (result != -1 || errno != EINTR) return result;
    }
}

[[noreturn]] void fail(int error);
void check(long result);

// Writes every byte at the file's position; a write that takes nothing counts as a full disk, since
// retrying it would loop for ever.
void writeAll(FileCalls& calls, int fd, const std::uint8_t* data, std::size_t count);
// Writes every byte from the start of the file on.
void writeAllAt(FileCalls& calls, int fd, const std::vector<std::uint8_t>& bytes);

// Flushes the folder of `file`, so that a name made, changed or removed there survives a power cut.
void flushFolder(FileCalls& calls, const std::string& file);

}  // namespace platform::saving
