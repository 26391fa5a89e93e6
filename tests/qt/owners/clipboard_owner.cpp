// Holds the X11 CLIPBOARD as the test tells it on stdin, one command a line, and reports on stdout
// every request another program makes of it:
//   silent            take the clipboard and never answer, as a program that has hung does
//   offer TYPE FILE   take it (again, with the same window) offering FILE's bytes as TYPE
//   report            "reported" once every request sent before this line has been reported
// Each take says "ready" once the clipboard is ours; each request says "asked TARGET".
#include <xcb/xcb.h>

#include <poll.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

xcb_connection_t* connection;
xcb_window_t window;
bool answering = false;
xcb_atom_t offeredType = XCB_ATOM_NONE;
std::vector<char> offeredBytes;

xcb_atom_t atom(const std::string& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
    const xcb_atom_t value = reply ? reply->atom : XCB_ATOM_NONE;
    std::free(reply);
    return value;
}

std::string nameOf(xcb_atom_t value) {
    xcb_get_atom_name_reply_t* reply =
        xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, value), nullptr);
    if (!reply) return "?";
    std::string name(xcb_get_atom_name_name(reply), static_cast<std::size_t>(xcb_get_atom_name_name_length(reply)));
    std::free(reply);
    return name;
}

bool take() {
    const xcb_atom_t clipboard = atom("CLIPBOARD");
    xcb_set_selection_owner(connection, window, clipboard, XCB_CURRENT_TIME);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, clipboard), nullptr);
    const bool ours = owner && owner->owner == window;
    std::free(owner);
    return ours;
}

void answer(const xcb_selection_request_event_t& request) {
    xcb_atom_t property = XCB_ATOM_NONE;
    if (answering && request.target == atom("TARGETS")) {
        const xcb_atom_t targets[] = {atom("TARGETS"), offeredType};
        property = request.property;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32, 2,
                            targets);
    } else if (answering && request.target == offeredType) {
        property = request.property;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor, property, offeredType, 8,
                            static_cast<std::uint32_t>(offeredBytes.size()), offeredBytes.data());
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
}

void serveEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
        if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
            const auto& request = *reinterpret_cast<const xcb_selection_request_event_t*>(event);
            std::printf("asked %s\n", nameOf(request.target).c_str());
            if (answering) answer(request);
        }
        std::free(event);
    }
    xcb_flush(connection);
    std::fflush(stdout);
}

bool obey(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "silent" || command == "offer") {
        answering = command == "offer";
        if (answering) {
            std::string type;
            std::string file;
            words >> type >> file;
            std::ifstream in(file, std::ios::binary);
            offeredBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            offeredType = atom(type);
        }
        if (!take()) return false;
        std::puts("ready");
    } else if (command == "report") {
        // A round trip brings in every request the server sent before it.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        serveEvents();
        std::puts("reported");
    }
    std::fflush(stdout);
    return true;
}

}  // namespace

int main() {
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) return 1;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    std::string pending;
    for (;;) {
        // Replies read on the way may have brought events in, which the descriptor no longer shows.
        serveEvents();
        if (xcb_connection_has_error(connection)) return 1;
        pollfd sources[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(sources, 2, -1) < 0) return 1;
        if (!(sources[1].revents & (POLLIN | POLLHUP))) continue;
        char buffer[256];
        const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) return 0;
        pending.append(buffer, static_cast<std::size_t>(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            if (!obey(pending.substr(0, end))) return 1;
    }
}
