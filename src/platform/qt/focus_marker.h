#pragma once

class QPainter;
class QRect;

namespace platform::qt {

// Draws the dotted focus rectangle just inside `rect`, black dots over a white line, so that it shows
// on a black swatch as well as on a silver face.
void drawFocusMarker(QPainter& painter, const QRect& rect);

}  // namespace platform::qt
