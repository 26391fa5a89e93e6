#pragma once

#include "platform/raster/bitmap.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

// The model's own view of WBMP files, written apart from the program's reader and writer so that the
// two can be checked against each other: what a file decodes to, what Open must say about it, and
// the files a person might pick, good and bad.
namespace model {

using Bytes = std::vector<std::uint8_t>;

// The picture of a file the reader must accept, or nothing when it must refuse it.
std::optional<raster::Bitmap> decodeAccepted(const Bytes& bytes);

// The error box Open shows for these bytes, or "" when it accepts them. Only the first 964 bytes are
// read, so a longer file is judged by them alone.
std::string refusalFor(const Bytes& bytes);

// The bytes of a valid file holding the picture (exact white is a 1 bit).
Bytes encode(const raster::Bitmap& picture);

// A random file of one of several kinds: valid, truncated, with bytes to spare, a valid 89..96 x 80
// file with a tail past the 964 bytes read, a wrong type byte, a header alone, random bytes.
Bytes randomFile(std::mt19937& random);

// The picture's pixels as the document keeps them: exactly white stays white, all else is black.
raster::Bitmap blackAndWhite(const raster::Bitmap& picture);

// The bytes of a regular file; nothing for a folder or a missing file.
Bytes readBytes(const std::string& path);

// A short fingerprint of a file's bytes; 0 stands for no file.
std::uint64_t fingerprint(const std::string& path);

}  // namespace model
