#pragma once

#include <chrono>

namespace platform::qt {

// Whether the Wayland compositor that the program is a client of offers to draw the windows' title
// bars and frames itself (the xdg-decoration protocol). Qt asks for them wherever they are offered,
// and draws a title bar of its own where they are not; that one offers maximise to every window.
//
// The answer comes from a connection of the program's own that lists the compositor's globals: Qt
// 6.4 keeps its own connection behind private headers. No answer within the bound, or no compositor
// to ask, counts as no offer.
bool compositorOffersServerDecorations(std::chrono::milliseconds bound = std::chrono::milliseconds(1000));

}  // namespace platform::qt
