#pragma once

#include "platform/services.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace support {

// The system clipboard as the scripts see it: it holds a bitmap, some text or nothing; another
// program can put things on it or hold it open (lock). It also notes every call the program makes
// out of turn (emptying, putting or reading while it is not open), because the real clipboard
// fails those calls.
class ScriptedClipboard : public platform::Clipboard {
public:
    bool hasBitmap() override;
    void open() override;
    void empty() override;
    void putBitmap(const raster::Bitmap& bitmap) override;
    std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) override;
    void close() override;

    // What another program does to the clipboard.
    void putImage(const raster::Bitmap& image) { m_content = image; }
    void putText(const std::string& text) { m_content = text; }
    void clear() { m_content = std::monostate{}; }
    void lock() { m_locked = true; }
    void unlock() { m_locked = false; }
    // The clipboard announces a bitmap but delivers none when it is read.
    void offerUndeliverableBitmap() { m_content = Undeliverable{}; }

    // What it holds now.
    const raster::Bitmap* heldBitmap() const { return std::get_if<raster::Bitmap>(&m_content); }
    const std::string* heldText() const { return std::get_if<std::string>(&m_content); }
    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_content); }
    bool isOpen() const { return m_open; }
    bool isLocked() const { return m_locked; }
    int opens() const { return m_opens; }
    int failedOpens() const { return m_failedOpens; }
    const std::vector<std::string>& misuses() const { return m_misuses; }

private:
    struct Undeliverable {};
    void requireOpen(const char* call);

    std::variant<std::monostate, raster::Bitmap, std::string, Undeliverable> m_content;
    bool m_open = false;
    bool m_locked = false;
    int m_opens = 0;
    int m_failedOpens = 0;
    std::vector<std::string> m_misuses;
};

}  // namespace support
