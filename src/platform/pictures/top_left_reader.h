#pragma once

#include "platform/raster/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace pictures {

// Refuses a picture whose bytes would take longer to receive than a person waits for a paste.
inline constexpr std::size_t MaxPayloadBytes = 256u << 20;
// The most bytes of a picture in a format read whole by a general decoder (not PNG or BMP).
inline constexpr std::size_t MaxWholeReadBytes = 64u << 20;

// One way of decoding a picture's rows as its bytes arrive.
class RowDecoder {
public:
    virtual ~RowDecoder() = default;
    virtual void feed(std::span<const std::uint8_t> bytes) = 0;
    virtual void finish() = 0;
    virtual bool wantsMore() const = 0;
    // Only once finished, or once it wants no more: the kept part, or nothing when the bytes are not
    // a picture it can read.
    virtual std::optional<raster::Bitmap> result() = 0;
    // Whether the bytes are a picture of this decoder's family in a variant it leaves to a general
    // decoder; then every byte it has taken is in heldBytes().
    virtual bool isForeign() const { return false; }
    virtual std::vector<std::uint8_t> heldBytes() { return {}; }
};

// Reads the top-left part of a picture, at most maxWidth x maxHeight, from its bytes as they arrive,
// and stops wanting bytes as soon as that part is complete. PNG and BMP are decoded here row by row,
// keeping only what lands, so a huge picture costs no more memory than a small one. Any other
// format ("foreign") is only collected, up to MaxWholeReadBytes, for a general decoder. Pixels come
// out composited over white; reducing them to black and white is the caller's.
class TopLeftReader {
public:
    enum class State { Reading, Done, Failed, Foreign };

    TopLeftReader(int maxWidth, int maxHeight);
    ~TopLeftReader();
    TopLeftReader(const TopLeftReader&) = delete;
    TopLeftReader& operator=(const TopLeftReader&) = delete;

    // Takes the next bytes of the payload; answers whether more are wanted.
    bool feed(std::span<const std::uint8_t> bytes);
    // The payload has ended.
    void finish();

    State state() const { return m_state; }
    // Once Done: the kept part.
    raster::Bitmap takePicture() { return std::move(m_picture); }
    // Once Foreign and finished: the whole payload.
    const std::vector<std::uint8_t>& foreignBytes() const { return m_foreign; }

private:
    void choose();
    void settle();
    void collectForeign(std::span<const std::uint8_t> bytes);

    int m_maxWidth;
    int m_maxHeight;
    State m_state = State::Reading;
    std::size_t m_received = 0;
    std::vector<std::uint8_t> m_head;
    std::unique_ptr<RowDecoder> m_decoder;
    std::vector<std::uint8_t> m_foreign;
    raster::Bitmap m_picture;
};

// The whole of a payload at once, as the tests and the fuzz target use it.
TopLeftReader::State readTopLeft(TopLeftReader& reader, std::span<const std::uint8_t> bytes);

std::unique_ptr<RowDecoder> makePngDecoder(int maxWidth, int maxHeight);
std::unique_ptr<RowDecoder> makeBmpDecoder(int maxWidth, int maxHeight);

}  // namespace pictures
