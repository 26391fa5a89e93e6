#include "model/picture_rules.h"

#include "model/file_oracle.h"

#include <algorithm>

namespace model {

raster::Bitmap inverted(raster::Bitmap picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, picture.pixel(x, y) ^ raster::White);
    return picture;
}

raster::Bitmap turned(const raster::Bitmap& picture, bool upsideDown) {
    raster::Bitmap result(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            result.setPixel(upsideDown ? x : picture.width() - 1 - x, upsideDown ? picture.height() - 1 - y : y,
                            picture.pixel(x, y));
    return result;
}

raster::Bitmap pastedOver(raster::Bitmap document, const raster::Bitmap& pasted) {
    const raster::Bitmap reduced = blackAndWhite(pasted);
    for (int y = 0; y < std::min(document.height(), reduced.height()); ++y)
        for (int x = 0; x < std::min(document.width(), reduced.width()); ++x) document.setPixel(x, y, reduced.pixel(x, y));
    return document;
}

}  // namespace model
