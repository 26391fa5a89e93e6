#include "document/size_text.h"

#include "wbmp/wbmp_format.h"

namespace document {

std::optional<int> parseSizeText(const std::string& text, int max) {
    // Three digits are more than any size needs; refusing longer texts early keeps the sum small.
    if (text.empty() || text.size() > 3 || text.front() == '0') return std::nullopt;
    int value = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9') return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    if (value > max) return std::nullopt;
    return value;
}

std::int32_t dataSizeFor(std::int32_t width, std::int32_t height, std::int32_t unchanged) {
    if (width <= 0) return unchanged;
    return wbmp::bytesPerRow(width) * height;
}

}  // namespace document
