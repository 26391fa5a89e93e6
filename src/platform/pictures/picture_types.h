#pragma once

#include <string>
#include <string_view>

namespace pictures {

// The usual name of a picture type that other programs also offer under older or vendor names
// ("image/x-png" and "image/x-bmp" are "image/png" and "image/bmp"). Letter case and parameters
// after ';' do not count. A type that is not a picture type comes back empty; an unknown picture
// type ("image/...") comes back lower-cased as it is.
std::string canonicalPictureType(std::string_view type);

// How strongly a canonical type is preferred when a clipboard offers several: PNG and BMP are read
// row by row and cost only what lands in the document, so they come first; lower is better.
int pictureTypeRank(std::string_view canonical);

}  // namespace pictures
