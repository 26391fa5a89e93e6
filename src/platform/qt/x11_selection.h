#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::qt {

// Reads an X11 selection of another program (the CLIPBOARD, or the data of a drag) over a connection
// of its own, with every wait bounded. Qt's clipboard waits five seconds for each answer and asks once
// per image format, so an owner that has stopped answering would freeze the window for a minute at
// every paste; and it reads a payload whole, where a paste needs only its first rows.
//
// The types on offer belong to one owner's turn: the owner is asked once, and its answer, or its
// silence, holds until the selection changes hands. A command that looks at the clipboard several
// times (the Edit menu's state, then Paste) and the commands after it therefore wait for a silent
// owner once, not at every look. An answer that comes after the wait is taken up at the next look.
class X11Selection {
public:
    // The selection by its atom's name.
    explicit X11Selection(const char* selection = "CLIPBOARD") : m_selectionName(selection) {}
    ~X11Selection();
    X11Selection(const X11Selection&) = delete;
    X11Selection& operator=(const X11Selection&) = delete;

    // The names of the types the owner offers; nothing when nobody owns the clipboard or the owner
    // has not answered (within the bound, the first time it is asked).
    std::optional<std::vector<std::string>> targets(std::chrono::milliseconds bound);

    // Asks for the clipboard in one type and hands its bytes to take() piece by piece, in order, until
    // they end or take() answers that it wants no more. Answers false when the owner refused, or went
    // quiet for longer than the bound at any step.
    bool transfer(const std::string& type, const std::function<bool(std::span<const std::uint8_t>)>& take,
                  std::chrono::milliseconds bound);

private:
    using Clock = std::chrono::steady_clock;
    // What is known of the present owner's types.
    enum class Offer { Unasked, Awaited, Known };

    bool connect();
    void watchOwners();
    std::uint32_t atom(const char* name);
    void catchUp();
    void note(const xcb_generic_event_t& event);
    void forgetOffer();
    void askTargets(Clock::time_point deadline);
    std::vector<std::string> readTargets();
    std::optional<std::uint32_t> convert(std::uint32_t target, Clock::time_point deadline);
    bool readIncrementally(const std::function<bool(std::span<const std::uint8_t>)>& take,
                           std::chrono::milliseconds bound);
    bool readInPlace(const std::function<bool(std::span<const std::uint8_t>)>& take);
    void abandon();

    const char* m_selectionName;
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_window = 0;
    std::uint32_t m_selection = 0;
    std::uint32_t m_targets = 0;
    std::uint32_t m_incr = 0;
    std::uint32_t m_property = 0;
    // The first event code of the X server's selection-owner notices; 0 where it has none, and then
    // only a new owner window tells that the clipboard changed hands.
    std::uint8_t m_ownerNoticeEvent = 0;
    std::uint32_t m_owner = 0;
    Offer m_offer = Offer::Unasked;
    // The present owner's types while m_offer is Known; empty for no owner or a refusal.
    std::vector<std::string> m_offered;
};

}  // namespace platform::qt
