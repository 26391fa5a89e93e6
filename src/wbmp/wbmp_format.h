#pragma once

#include "document/limits.h"
#include "platform/raster/bitmap.h"
#include "platform/services.h"

#include <cstdint>
#include <span>
#include <vector>

// The WBMP type 0 file as this program writes and accepts it: the type byte 0, the fixed header byte
// 0, the width and the height as one byte each, then the rows top first, each row padded to whole
// bytes, the leftmost pixel in the most significant bit, 1 for white and 0 for black.
namespace wbmp {

inline constexpr int HeaderSize = 4;

inline constexpr int bytesPerRow(int width) {
    return (width + 7) / 8;
}

// The largest file, which is also the most the reader ever reads. The file system keeps that many old
// bytes of a file it overwrites, so the two must agree.
inline constexpr int MaxFileSize = static_cast<int>(platform::FileSystem::LongestPictureFile);
static_assert(MaxFileSize == HeaderSize + bytesPerRow(document::MaxWidth) * document::MaxHeight);

// The data bytes of the top-left width x height pixels of a picture. Only exact white gives a 1 bit;
// the spare bits at the end of each row stay 0.
std::vector<std::uint8_t> packRows(const raster::Bitmap& picture, int width, int height);

// The whole file: the header, then the data. Each data element contributes its low byte, as the
// writer has always stored the document's data as one integer per byte.
std::vector<std::uint8_t> fileBytes(int width, int height, std::span<const std::int32_t> data);

}  // namespace wbmp
