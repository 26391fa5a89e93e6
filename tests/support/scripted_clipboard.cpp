#include "support/scripted_clipboard.h"

#include "platform/errors.h"

#include <algorithm>

namespace support {

bool ScriptedClipboard::hasBitmap() {
    return std::holds_alternative<raster::Bitmap>(m_content) || std::holds_alternative<Undeliverable>(m_content);
}

void ScriptedClipboard::open() {
    if (m_locked) {
        ++m_failedOpens;
        throw platform::Error("Cannot open clipboard");
    }
    if (m_open) m_misuses.push_back("open while already open");
    m_open = true;
    ++m_opens;
}

void ScriptedClipboard::empty() {
    requireOpen("empty");
    m_content = std::monostate{};
}

void ScriptedClipboard::putBitmap(const raster::Bitmap& bitmap) {
    requireOpen("putBitmap");
    m_content = bitmap;
}

std::optional<raster::Bitmap> ScriptedClipboard::bitmap(int maxWidth, int maxHeight) {
    requireOpen("bitmap");
    const raster::Bitmap* held = heldBitmap();
    if (!held) return std::nullopt;
    const int width = std::clamp(maxWidth, 0, held->width());
    const int height = std::clamp(maxHeight, 0, held->height());
    raster::Bitmap part(width, height);
    for (int y = 0; y < height; ++y) std::copy_n(held->row(y), width, part.row(y));
    return part;
}

void ScriptedClipboard::close() {
    if (!m_open) m_misuses.push_back("close while not open");
    m_open = false;
}

void ScriptedClipboard::requireOpen(const char* call) {
    if (!m_open) m_misuses.push_back(std::string(call) + " while not open");
}

}  // namespace support
