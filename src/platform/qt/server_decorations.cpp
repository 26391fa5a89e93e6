#include "platform/qt/server_decorations.h"

#include <wayland-client.h>

#include <poll.h>

#include <cstring>

namespace platform::qt {

namespace {

struct Listing {
    bool decorationManager = false;
    bool complete = false;
};

void announce(void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
    if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
        static_cast<Listing*>(data)->decorationManager = true;
}

void withdraw(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener registryListener{announce, withdraw};

// The compositor answers a sync after every event sent before it, so the answer ends the listing.
void synced(void* data, wl_callback*, std::uint32_t) {
    static_cast<Listing*>(data)->complete = true;
}

const wl_callback_listener syncListener{synced};

// Dispatches the connection's events until the listing is complete, waiting no longer than the bound.
void readListing(wl_display* display, const Listing& listing, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!listing.complete) {
        if (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0) return;
            continue;
        }
        wl_display_flush(display);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd waiting{wl_display_get_fd(display), POLLIN, 0};
        if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) <= 0) {
            wl_display_cancel_read(display);
            return;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) return;
    }
}

}  // namespace

bool compositorOffersServerDecorations(std::chrono::milliseconds bound) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return false;
    Listing listing;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &listing);
    wl_callback* sync = wl_display_sync(display);
    wl_callback_add_listener(sync, &syncListener, &listing);
    readListing(display, listing, bound);
    wl_callback_destroy(sync);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return listing.complete && listing.decorationManager;
}

}  // namespace platform::qt
