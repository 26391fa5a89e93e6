#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace document {

// The number a size box holds, accepted only when its text is exactly the plain decimal form of 1 to
// max: no sign, no blanks, no leading zeros. "07", " 7", "+7", "0" and "" are all refused.
std::optional<int> parseSizeText(const std::string& text, int max);

// The count of WBMP data bytes for a width and a height: every row padded to whole bytes. Without a
// width (before the first document) the count stays what it was.
std::int32_t dataSizeFor(std::int32_t width, std::int32_t height, std::int32_t unchanged);

}  // namespace document
