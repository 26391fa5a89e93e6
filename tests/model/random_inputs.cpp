#include "model/random_inputs.h"

#include <fstream>
#include <iterator>

namespace model {

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(std::mt19937& random, double p) {
    return std::bernoulli_distribution(p)(random);
}

// Colours another program's picture may hold: the document's two, near misses of white, colours, and
// white with bits set above the colour channels.
raster::Color oddColor(std::mt19937& random) {
    constexpr raster::Color colors[] = {raster::White, raster::Black, 0xFEFFFF,
                                        0xFFFEFF,      0xFFFFFE,      0xC0C0C0,
                                        0xFFFF00,      0x0000FF,      0xFF000000u | raster::White,
                                        0x808080};
    return colors[between(random, 0, static_cast<int>(std::size(colors)) - 1)];
}

raster::Bitmap oddPicture(std::mt19937& random, int width, int height) {
    raster::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, oddColor(random));
    return picture;
}

// Made once: copying it onto the clipboard is cheap next to drawing it.
const raster::Bitmap& hugePicture() {
    static const raster::Bitmap picture = [] {
        raster::Bitmap huge(5000, 5000, raster::Black);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 96; ++x)
                if ((x * 7 + y * 3) % 5 == 0) huge.setPixel(x, y, raster::White);
        return huge;
    }();
    return picture;
}

const raster::Bitmap& stripPicture(bool wide) {
    static const raster::Bitmap wideStrip(5000, 90, raster::Black);
    static const raster::Bitmap tallStrip(100, 5000, 0xFEFFFF);
    return wide ? wideStrip : tallStrip;
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace model
