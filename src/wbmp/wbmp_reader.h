#pragma once

#include "platform/raster/bitmap.h"

#include <cstdint>
#include <span>

// The reader's checks and decoding, apart from any file or message. The reader is strict: it takes
// only what this program could have written.
namespace wbmp {

// What is wrong with a file, in the order the checks run.
enum class Problem {
    None,
    WrongFormat,  // the type byte or the fixed header byte is not 0
    BadSize,      // the width byte is not 1..96 or the height byte is not 1..80
    BadLength,    // the count of bytes read is not exactly the header plus the data the size needs
};

// The outcome of the checks. width and height are filled as soon as each has passed its range
// check, so a file whose height fails still reports its width.
struct Check {
    Problem problem = Problem::None;
    int width = 0;
    int height = 0;
};

// Checks the bytes read from a file (at most MaxFileSize were asked for). Bytes the file did not have
// count as 0, as in a zero-filled read buffer: a file shorter than the header fails on its size.
Check check(std::span<const std::uint8_t> bytes);

// The picture of a file that passed check(): width x height pixels, white for a 1 bit and black for
// a 0 bit; the spare bits of each row are ignored. Data bytes missing from the span decode as black.
raster::Bitmap decode(std::span<const std::uint8_t> data, int width, int height);

}  // namespace wbmp
