#pragma once

#include "platform/controls.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/raster/bitmap.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

// Small translations between the program's plain types and Qt's. They need no widget, so the tests
// call them directly.
namespace platform::qt {

inline QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline QColor toQColor(raster::Color color) {
    return QColor::fromRgb(0xFF000000u | color);
}
inline QRect toQRect(const platform::Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

// The layout names fonts by family and pixel height; its Windows families are drawn in chosen
// installed ones rather than in whatever fontconfig would pick.
QFont toQFont(const platform::Font& font);

// The resource path of a named picture ("pen" -> ":/pictures/pen.xpm").
QString picturePath(const std::string& name);

// The bitmap as an opaque 32-bit image of the same size.
QImage toQImage(const raster::Bitmap& bitmap);

// The top-left part of an image, at most maxWidth x maxHeight, as a bitmap. The part is cut out before
// any conversion, so a huge picture costs no more than what is kept. Translucent pixels are composited
// on white, as a person sees them in most viewers, so only an opaque white (or a fully transparent)
// pixel comes out exactly white.
raster::Bitmap bitmapFromImage(const QImage& image, int maxWidth, int maxHeight);

// "Wireless Bitmap (*.wbmp)|*.wbmp" -> "Wireless Bitmap (*.wbmp)": Qt reads the patterns from the
// parentheses of each name, so a name without them gets its patterns appended.
QString toQtFilter(const std::string& filter);

// The modifier keys and the buttons held after the event, as the program's handlers expect them.
platform::ShiftState shiftState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
std::optional<platform::MouseButton> mouseButton(Qt::MouseButton button);

}  // namespace platform::qt
