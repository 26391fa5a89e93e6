#include "thumbnailer/thumbnail.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <new>

namespace thumbnailer {

namespace {

void append(png_structp png, png_bytep data, png_size_t length) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    // An exception must not cross libpng's C frames; a failed allocation goes through its own error path.
    try {
        out.insert(out.end(), data, data + length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void noFlush(png_structp) {}
[[noreturn]] void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

// One row of the picture, each pixel repeated factor times, packed eight pixels to a byte with the
// leftmost in the most significant bit; 1 is white.
void packRow(const raster::Bitmap& picture, int y, int factor, std::vector<png_byte>& row) {
    std::fill(row.begin(), row.end(), png_byte{0});
    const raster::Color* pixels = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
        if (pixels[x] != raster::White) continue;
        for (int at = x * factor; at < (x + 1) * factor; ++at) row[at / 8] |= static_cast<png_byte>(0x80 >> (at % 8));
    }
}

// libpng reports a failure by jumping back to the setjmp; nothing between it and libpng has a
// destructor, and row is sized before, so no exception can start on the way.
bool encode(png_structp png, png_infop info, const raster::Bitmap& picture, int factor, std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width() * factor),
                 static_cast<png_uint_32>(picture.height() * factor), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Filters only help pictures with more than one byte per pixel.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < picture.height(); ++y) {
        packRow(picture, y, factor, row);
        for (int copy = 0; copy < factor; ++copy) png_write_row(png, row.data());
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

int scaleFactor(int width, int height, int size) {
    return std::max(1, std::min(size / width, size / height));
}

std::vector<std::uint8_t> pngBytes(const raster::Bitmap& picture, int factor) {
    std::vector<std::uint8_t> out;
    std::vector<png_byte> row((static_cast<std::size_t>(picture.width()) * factor + 7) / 8);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &onError, &onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info) {
        png_set_write_fn(png, &out, &append, &noFlush);
        written = encode(png, info, picture, factor, row);
    }
    png_destroy_write_struct(&png, &info);
    if (!written) throw std::bad_alloc();
    return out;
}

}  // namespace thumbnailer
