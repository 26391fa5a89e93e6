#pragma once

#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/raster/bitmap.h"
#include "support/script.h"

#include <cstdint>
#include <string>
#include <vector>

// The small conversions between script tokens and values, each raising ScriptError for a token it
// cannot read.
namespace support {

void requireArguments(const Statement& statement, std::size_t count);
void requireAtLeast(const Statement& statement, std::size_t count);

int parseInteger(const std::string& token);
bool parseYesNo(const std::string& token);
platform::MouseButton parseButton(const std::string& token);
std::vector<std::uint8_t> parseHexBytes(const std::vector<std::string>& tokens, std::size_t first);

// "Ctrl+N", "Shift+Ctrl+Z", "F1": modifiers, then one capital letter, digit or function key. A
// misspelt key would otherwise be a key that no item owns and pass unnoticed.
bool isShortcutName(const std::string& token);

// Cases of the keywords in answers and yes/no values do not matter.
bool sameWord(const std::string& a, const char* b);

std::string yesNo(bool value);
std::string inQuotes(const std::string& text);
std::string hexBytes(const std::vector<std::uint8_t>& bytes);
std::string sizeText(int width, int height);
std::string colorText(raster::Color color);

// The pixels of `area` that lie inside the picture.
raster::Bitmap cropped(const raster::Bitmap& picture, const platform::Rect& area);

// The pixel centres on the straight line from one image pixel to another, both ends included.
std::vector<platform::Point> linePixels(platform::Point from, platform::Point to);

}  // namespace support
