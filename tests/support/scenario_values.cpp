#include "support/scenario_values.h"

#include "support/scenario_session.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace support {

void requireArguments(const Statement& statement, std::size_t count) {
    if (statement.tokens.size() != count)
        throw ScriptError("\"" + statement.tokens.front() + "\" takes " + std::to_string(count - 1) + " argument" +
                          (count == 2 ? "" : "s"));
}

void requireAtLeast(const Statement& statement, std::size_t count) {
    if (statement.tokens.size() < count)
        throw ScriptError("\"" + statement.tokens.front() + "\" takes at least " + std::to_string(count - 1) +
                          " argument" + (count == 2 ? "" : "s"));
}

int parseInteger(const std::string& token) {
    int value = 0;
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    if (token.empty() || error != std::errc() || stop != end)
        throw ScriptError("not a whole number: " + inQuotes(token));
    return value;
}

bool isShortcutName(const std::string& token) {
    std::string_view rest = token;
    for (std::string_view modifier : {"Ctrl+", "Shift+", "Alt+"})
        if (rest.starts_with(modifier)) rest.remove_prefix(modifier.size());
    if (rest.size() == 1)
        return std::isupper(static_cast<unsigned char>(rest[0])) || std::isdigit(static_cast<unsigned char>(rest[0]));
    if (rest.size() < 2 || rest.size() > 3 || rest[0] != 'F') return false;
    const int number = std::atoi(std::string(rest.substr(1)).c_str());
    return rest.substr(1).find_first_not_of("0123456789") == std::string_view::npos && number >= 1 && number <= 12;
}

bool sameWord(const std::string& a, const char* b) {
    return std::equal(a.begin(), a.end(), b, b + std::char_traits<char>::length(b), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool parseYesNo(const std::string& token) {
    if (sameWord(token, "yes")) return true;
    if (sameWord(token, "no")) return false;
    throw ScriptError("expected yes or no, not " + inQuotes(token));
}

platform::MouseButton parseButton(const std::string& token) {
    if (token == "left") return platform::MouseButton::Left;
    if (token == "right") return platform::MouseButton::Right;
    if (token == "middle") return platform::MouseButton::Middle;
    throw ScriptError("expected left, right or middle, not " + inQuotes(token));
}

std::vector<std::uint8_t> parseHexBytes(const std::vector<std::string>& tokens, std::size_t first) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = first; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        unsigned value = 0;
        const char* end = token.data() + token.size();
        const auto [stop, error] = std::from_chars(token.data(), end, value, 16);
        if (token.size() != 2 || error != std::errc() || stop != end)
            throw ScriptError("not a byte of two hex digits: " + inQuotes(token));
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

std::string yesNo(bool value) {
    return value ? "yes" : "no";
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return "no bytes";
    std::string text;
    char digits[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        if (!text.empty()) text += ' ';
        text += digits;
    }
    return text;
}

std::string sizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string colorText(raster::Color color) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(color & 0xFFFFFF));
    return digits;
}

raster::Bitmap cropped(const raster::Bitmap& picture, const platform::Rect& area) {
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, picture.width());
    const int bottom = std::min(area.bottom, picture.height());
    if (right <= left || bottom <= top) return {};
    raster::Bitmap part(right - left, bottom - top);
    for (int y = top; y < bottom; ++y) std::copy(picture.row(y) + left, picture.row(y) + right, part.row(y - top));
    return part;
}

std::vector<platform::Point> linePixels(platform::Point from, platform::Point to) {
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    std::vector<platform::Point> points;
    platform::Point at = from;
    while (true) {
        points.push_back(at);
        if (at == to) return points;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.y += stepY;
        }
    }
}

}  // namespace support
