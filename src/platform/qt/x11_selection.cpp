#include "platform/qt/x11_selection.h"

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform::qt {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// Pieces of a payload that sits whole in the property are read this many 32-bit units at a time.
constexpr std::uint32_t PieceUnits = 16 * 1024;

// The next event, or nothing once the deadline has passed or the connection has failed.
xcb_generic_event_t* nextEvent(xcb_connection_t* connection, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection)) return event;
        if (xcb_connection_has_error(connection)) return nullptr;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return nullptr;
        pollfd waiting{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&waiting, 1, static_cast<int>(left.count()) + 1);
    }
}

}  // namespace

X11Selection::~X11Selection() {
    if (m_connection) xcb_disconnect(m_connection);
}

bool X11Selection::connect() {
    if (m_connection && xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        m_window = 0;
    }
    if (!m_connection) {
        int screenNumber = 0;
        m_connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(m_connection)) return false;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        if (!screen) return false;
        m_root = screen->root;
        m_selection = atom(m_selectionName);
        m_targets = atom("TARGETS");
        m_incr = atom("INCR");
        m_property = atom("VELMORA_CLIPBOARD");
        m_owner = XCB_NONE;
        m_offer = Offer::Unasked;
        watchOwners();
    }
    if (!m_window) {
        m_window = xcb_generate_id(m_connection);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    return true;
}

// The X server tells every change of the clipboard's owner, even an owner that takes it again for new
// content, which a look at the owner window would miss.
void X11Selection::watchOwners() {
    m_ownerNoticeEvent = 0;
    const xcb_query_extension_reply_t* fixes = xcb_get_extension_data(m_connection, &xcb_xfixes_id);
    if (!fixes || !fixes->present) return;
    const Reply<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
        m_connection, xcb_xfixes_query_version(m_connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
        nullptr));
    if (!version) return;
    xcb_xfixes_select_selection_input(m_connection, m_root, m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    m_ownerNoticeEvent = fixes->first_event;
}

std::uint32_t X11Selection::atom(const char* name) {
    const auto cookie = xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
}

// A request that was not answered in time may still be answered later; a new window for the next
// request keeps such a late answer, and the rest of an abandoned transfer, from being taken for its own.
void X11Selection::abandon() {
    if (m_connection && m_window) xcb_destroy_window(m_connection, m_window);
    if (m_connection) xcb_flush(m_connection);
    m_window = 0;
}

// Asks the owner to put the clipboard in the target type into our property; answers the property, or
// nothing when there is no owner, it refused, or it did not answer before the deadline.
std::optional<std::uint32_t> X11Selection::convert(std::uint32_t target, Clock::time_point deadline) {
    xcb_convert_selection(m_connection, m_window, m_selection, target, m_property, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    while (xcb_generic_event_t* raw = nextEvent(m_connection, deadline)) {
        const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(raw);
        if ((event->response_type & 0x7F) != XCB_SELECTION_NOTIFY) {
            note(*event);
            continue;
        }
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(raw);
        if (notify->requestor != m_window || notify->target != target) {
            note(*event);
            continue;
        }
        if (notify->property == XCB_ATOM_NONE) return std::nullopt;
        return notify->property;
    }
    abandon();
    return std::nullopt;
}

// Takes in what happened since the last look. The owner is looked up first: its reply comes after
// every notice the X server sent before it, so a change of hands that came first is never missed.
void X11Selection::catchUp() {
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr));
    const std::uint32_t now = owner ? owner->owner : std::uint32_t{XCB_NONE};
    if (now != m_owner) forgetOffer();
    m_owner = now;
    while (xcb_generic_event_t* raw = xcb_poll_for_event(m_connection)) {
        const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(raw);
        note(*event);
    }
}

// An event that arrived while waiting for something else: a change of hands, or the owner's late
// answer to the question of its types.
void X11Selection::note(const xcb_generic_event_t& event) {
    const std::uint8_t type = event.response_type & 0x7F;
    if (m_ownerNoticeEvent != 0 && type == m_ownerNoticeEvent + XCB_XFIXES_SELECTION_NOTIFY) {
        forgetOffer();
        return;
    }
    if (type != XCB_SELECTION_NOTIFY || m_offer != Offer::Awaited) return;
    const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
    if (notify.requestor != m_window || notify.target != m_targets) return;
    m_offered = notify.property == XCB_ATOM_NONE ? std::vector<std::string>{} : readTargets();
    m_offer = Offer::Known;
}

// A question still out to the former owner may be answered yet; a new window keeps that answer from
// being taken for the new owner's.
void X11Selection::forgetOffer() {
    if (m_offer == Offer::Awaited) abandon();
    m_offer = Offer::Unasked;
    m_offered.clear();
}

void X11Selection::askTargets(Clock::time_point deadline) {
    if (!connect()) return;
    xcb_convert_selection(m_connection, m_window, m_selection, m_targets, m_property, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    m_offer = Offer::Awaited;
    while (m_offer == Offer::Awaited) {
        const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(nextEvent(m_connection, deadline));
        if (!event) return;
        note(*event);
    }
}

std::vector<std::string> X11Selection::readTargets() {
    const Reply<xcb_get_property_reply_t> list(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 1, m_window, m_property, XCB_ATOM_ANY, 0, PieceUnits), nullptr));
    if (!list || list->format != 32) return {};
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / 4;
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (int i = 0; i < count; ++i) cookies.push_back(xcb_get_atom_name(m_connection, atoms[i]));
    std::vector<std::string> names;
    for (const auto& cookie : cookies) {
        const Reply<xcb_get_atom_name_reply_t> name(xcb_get_atom_name_reply(m_connection, cookie, nullptr));
        if (name) names.emplace_back(xcb_get_atom_name_name(name.get()), xcb_get_atom_name_name_length(name.get()));
    }
    return names;
}

std::optional<std::vector<std::string>> X11Selection::targets(std::chrono::milliseconds bound) {
    const auto deadline = Clock::now() + bound;
    if (!connect()) return std::nullopt;
    catchUp();
    if (m_offer == Offer::Unasked) askTargets(deadline);
    if (m_offer != Offer::Known || m_offered.empty()) return std::nullopt;
    return m_offered;
}

bool X11Selection::transfer(const std::string& type, const std::function<bool(std::span<const std::uint8_t>)>& take,
                            std::chrono::milliseconds bound) {
    if (!connect()) return false;
    if (!convert(atom(type.c_str()), Clock::now() + bound)) return false;
    const Reply<xcb_get_property_reply_t> head(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, m_window, m_property, XCB_ATOM_ANY, 0, 0), nullptr));
    if (!head) return false;
    if (head->type == m_incr) return readIncrementally(take, bound);
    return readInPlace(take);
}

// A payload small enough for one property is read from it in pieces, so that reading stops as soon
// as the picture's rows that land have arrived.
bool X11Selection::readInPlace(const std::function<bool(std::span<const std::uint8_t>)>& take) {
    for (std::uint32_t offset = 0;; offset += PieceUnits) {
        const Reply<xcb_get_property_reply_t> piece(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, m_window, m_property, XCB_ATOM_ANY, offset, PieceUnits),
            nullptr));
        if (!piece) return false;
        const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(piece.get()));
        const auto length = static_cast<std::size_t>(xcb_get_property_value_length(piece.get()));
        const bool more = take({bytes, length});
        if (!more || piece->bytes_after == 0) break;
    }
    xcb_delete_property(m_connection, m_window, m_property);
    xcb_flush(m_connection);
    return true;
}

// A large payload comes in chunks: the owner writes the next one each time we delete the property.
// Once enough has arrived the rest is left unasked, and the owner's transfer is abandoned with our
// window.
bool X11Selection::readIncrementally(const std::function<bool(std::span<const std::uint8_t>)>& take,
                                     std::chrono::milliseconds bound) {
    xcb_delete_property(m_connection, m_window, m_property);
    xcb_flush(m_connection);
    for (;;) {
        xcb_generic_event_t* raw = nextEvent(m_connection, Clock::now() + bound);
        if (!raw) {
            abandon();
            return false;
        }
        const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(raw);
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
            note(*event);
            continue;
        }
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(raw);
        if (notify->window != m_window || notify->atom != m_property || notify->state != XCB_PROPERTY_NEW_VALUE)
            continue;
        const Reply<xcb_get_property_reply_t> chunk(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 1, m_window, m_property, XCB_ATOM_ANY, 0, UINT32_MAX / 4),
            nullptr));
        if (!chunk) {
            abandon();
            return false;
        }
        xcb_flush(m_connection);
        const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(chunk.get()));
        const auto length = static_cast<std::size_t>(xcb_get_property_value_length(chunk.get()));
        if (length == 0) return true;
        if (!take({bytes, length})) {
            abandon();
            return true;
        }
    }
}

}  // namespace platform::qt
