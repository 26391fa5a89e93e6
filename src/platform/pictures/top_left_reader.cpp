#include "platform/pictures/top_left_reader.h"

#include <algorithm>
#include <array>

namespace pictures {

namespace {

constexpr std::array<std::uint8_t, 8> PngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

TopLeftReader::TopLeftReader(int maxWidth, int maxHeight)
    : m_maxWidth(std::max(maxWidth, 0)), m_maxHeight(std::max(maxHeight, 0)) {}

TopLeftReader::~TopLeftReader() = default;

bool TopLeftReader::feed(std::span<const std::uint8_t> bytes) {
    m_received += bytes.size();
    if (m_received > MaxPayloadBytes && m_state != State::Done) {
        m_state = State::Failed;
        m_decoder.reset();
        m_foreign = {};
    }
    if (m_state == State::Foreign) collectForeign(bytes);
    if (m_state != State::Reading) return m_state == State::Foreign;
    if (!m_decoder) {
        const std::size_t take = std::min(bytes.size(), PngSignature.size() - m_head.size());
        m_head.insert(m_head.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
        bytes = bytes.subspan(take);
        if (m_head.size() < PngSignature.size()) return true;
        choose();
        if (m_state == State::Foreign) {
            collectForeign(bytes);
            return m_state == State::Foreign;
        }
        m_decoder->feed(m_head);
    }
    if (!bytes.empty() && m_decoder->wantsMore()) m_decoder->feed(bytes);
    settle();
    return m_state == State::Reading || m_state == State::Foreign;
}

void TopLeftReader::finish() {
    if (m_state != State::Reading) return;
    if (!m_decoder) {
        choose();
        if (m_state == State::Foreign) return;
        m_decoder->feed(m_head);
    }
    m_decoder->finish();
    settle();
    // A decoder that still wants bytes once they have ended has a truncated picture.
    if (m_state == State::Reading) m_state = State::Failed;
}

void TopLeftReader::choose() {
    if (std::equal(PngSignature.begin(), PngSignature.end(), m_head.begin(), m_head.end()))
        m_decoder = makePngDecoder(m_maxWidth, m_maxHeight);
    else if (m_head.size() >= 2 && m_head[0] == 'B' && m_head[1] == 'M')
        m_decoder = makeBmpDecoder(m_maxWidth, m_maxHeight);
    else {
        m_state = State::Foreign;
        m_foreign = std::move(m_head);
    }
}

void TopLeftReader::settle() {
    if (m_decoder->isForeign()) {
        m_state = State::Foreign;
        m_foreign = m_decoder->heldBytes();
        m_decoder.reset();
        return;
    }
    if (m_decoder->wantsMore()) return;
    std::optional<raster::Bitmap> picture = m_decoder->result();
    m_decoder.reset();
    m_state = picture ? State::Done : State::Failed;
    if (picture) m_picture = std::move(*picture);
}

void TopLeftReader::collectForeign(std::span<const std::uint8_t> bytes) {
    if (m_foreign.size() + bytes.size() > MaxWholeReadBytes) {
        m_state = State::Failed;
        m_foreign = {};
        return;
    }
    m_foreign.insert(m_foreign.end(), bytes.begin(), bytes.end());
}

TopLeftReader::State readTopLeft(TopLeftReader& reader, std::span<const std::uint8_t> bytes) {
    // Small pieces, as a clipboard transfer brings them, so that reading stops where it would there.
    constexpr std::size_t Piece = 64 * 1024;
    for (std::size_t at = 0; at < bytes.size(); at += Piece)
        if (!reader.feed(bytes.subspan(at, std::min(Piece, bytes.size() - at)))) break;
    reader.finish();
    return reader.state();
}

}  // namespace pictures
