#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

namespace support {

// Makes a libpng writer append what it writes to bytes, for pictures built in memory.
inline void writePngInto(png_structp writer, std::vector<std::uint8_t>& bytes) {
    png_set_write_fn(
        writer, &bytes,
        [](png_structp w, png_bytep data, png_size_t size) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(w));
            out->insert(out->end(), data, data + size);
        },
        nullptr);
}

}  // namespace support
