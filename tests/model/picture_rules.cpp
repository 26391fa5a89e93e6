#include "model/picture_rules.h"

#include "model/file_oracle.h"
#include "support/netpbm.h"
#include "support/scenario_values.h"

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
        for (int x = 0; x < std::min(document.width(), reduced.width()); ++x)
            document.setPixel(x, y, reduced.pixel(x, y));
    return document;
}

std::string differs(const char* what, const raster::Bitmap& expected, const raster::Bitmap& got) {
    if (expected == got) return {};
    std::string text = std::string(what) + ": expected " + support::sizeText(expected.width(), expected.height()) +
                       ", got " + support::sizeText(got.width(), got.height()) + "\n";
    for (int y = 0; y < std::max(expected.height(), got.height()); ++y)
        text += support::rowText(expected, y) + "   " + support::rowText(got, y) + "\n";
    return text;
}

}  // namespace model
