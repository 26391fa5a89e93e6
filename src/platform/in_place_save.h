#pragma once

#include "platform/posix_file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::saving {

// Overwrites the regular file `target` with `bytes` where it is, so that all its names and its owner
// stay. Any failure puts the old bytes back. With `keepCopy` the old bytes are first written to a new
// file beside it, which is flushed with its folder and removed only once the new bytes are on disk: a
// power cut at any moment leaves the old picture in the file or in that copy, or the new one in the
// file. Without it (a folder the user may not write) only memory holds the old bytes meanwhile.
void saveInPlace(FileCalls& calls, const std::string& target, const std::vector<std::uint8_t>& bytes, bool keepCopy);

}  // namespace platform::saving
