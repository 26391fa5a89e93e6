#pragma once

#include "platform/raster/bitmap.h"
#include "support/picture_rows.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reading the netpbm pictures that scenario scripts bring along, and the one-character-a-pixel rows
// that scripts and failure reports show pictures in.
namespace support {

class NetpbmError : public std::runtime_error {
public:
    explicit NetpbmError(const std::string& text) : std::runtime_error(text) {}
};

// Decodes a plain or raw PBM (1 = black), PGM or PPM picture into 0xRRGGBB pixels, scaling samples
// to 0..255. Rejects a bad magic number, a missing or zero size, samples above the maximum and
// truncated data.
raster::Bitmap parseNetpbm(std::string_view bytes);
raster::Bitmap readNetpbmFile(const std::string& path);

// The picture drawn by rows of '#', '.' and '?' (a light grey), as rowText writes them; the rows must be
// equally long.
raster::Bitmap bitmapFromRows(const std::vector<std::string>& rows);

}  // namespace support
