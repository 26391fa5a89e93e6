#include "platform/pictures/picture_types.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pictures {

namespace {

// Other names seen for the same formats, from older programs and other platforms' conventions.
constexpr std::array<std::pair<std::string_view, std::string_view>, 14> Aliases{{
    {"image/x-png", "image/png"},
    {"image/apng", "image/png"},
    {"image/x-bmp", "image/bmp"},
    {"image/x-ms-bmp", "image/bmp"},
    {"image/x-windows-bmp", "image/bmp"},
    {"image/ms-bmp", "image/bmp"},
    {"image/pjpeg", "image/jpeg"},
    {"image/jpg", "image/jpeg"},
    {"image/x-jpeg", "image/jpeg"},
    {"image/pbm", "image/x-portable-bitmap"},
    {"image/x-pbm", "image/x-portable-bitmap"},
    {"image/x-portable-greymap", "image/x-portable-graymap"},
    {"image/x-tiff", "image/tiff"},
    {"image/vnd.microsoft.icon", "image/x-icon"},
}};

}  // namespace

std::string canonicalPictureType(std::string_view type) {
    type = type.substr(0, type.find(';'));
    while (!type.empty() && (type.back() == ' ' || type.back() == '\t')) type.remove_suffix(1);
    std::string lower(type);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    if (!lower.starts_with("image/") || lower.size() == 6) return {};
    for (const auto& [alias, canonical] : Aliases)
        if (lower == alias) return std::string(canonical);
    return lower;
}

int pictureTypeRank(std::string_view canonical) {
    if (canonical == "image/png") return 0;
    if (canonical == "image/bmp") return 1;
    return 2;
}

}  // namespace pictures
