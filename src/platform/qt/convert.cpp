#include "platform/qt/convert.h"

#include "platform/pictures/over_white.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace platform::qt {

namespace {

// The layout names Windows fonts that Linux does not have, and fontconfig would draw them all in
// DejaVu Sans, a tenth wider than they are, which cuts captions off at the layout's sizes. Each is
// drawn instead in the installed family whose advance widths come closest:
// - Arial: Liberation Sans, made with exactly Arial's widths.
// - MS Sans Serif: Windows draws it through Microsoft Sans Serif, whose widths are Arial's; the
//   layout's own "Version 1.12" box, 73 pixels at 13 pixels high, takes it in Liberation Sans (72.2)
//   where DejaVu Sans needs 80.8.
// - Tahoma: a narrowed Verdana with lower case about as wide as Arial's, where DejaVu Sans keeps
//   Verdana's width.
// - System: the bitmap font of Windows has no outline twin; its few texts here (the pen width, the
//   status panels and the size boxes) take the same family as the rest of the window.
// Any other name is passed on unchanged.
QString hostFamily(const std::string& family) {
    static const std::pair<const char*, const char*> substitutes[] = {
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"System", "Liberation Sans"},
    };
    for (const auto& [layout, installed] : substitutes)
        if (family == layout) return QString::fromLatin1(installed);
    return toQString(family);
}

}  // namespace

QFont toQFont(const platform::Font& font) {
    QFont result(hostFamily(font.family));
    result.setStyleHint(QFont::SansSerif);
    if (font.height > 0) result.setPixelSize(font.height);
    result.setBold(font.bold);
    return result;
}

QString picturePath(const std::string& name) {
    return QStringLiteral(":/pictures/%1.xpm").arg(toQString(name));
}

QImage toQImage(const raster::Bitmap& bitmap) {
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        const raster::Color* source = bitmap.row(y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) target[x] = 0xFF000000u | source[x];
    }
    return image;
}

raster::Bitmap bitmapFromImage(const QImage& image, int maxWidth, int maxHeight) {
    const int width = std::clamp(image.width(), 0, std::max(maxWidth, 0));
    const int height = std::clamp(image.height(), 0, std::max(maxHeight, 0));
    if (width == 0 || height == 0) return {};
    const QImage part = image.copy(0, 0, width, height).convertToFormat(QImage::Format_ARGB32);
    raster::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(part.constScanLine(y));
        raster::Color* target = bitmap.row(y);
        for (int x = 0; x < width; ++x)
            target[x] = pictures::overWhite(qRed(source[x]), qGreen(source[x]), qBlue(source[x]), qAlpha(source[x]));
    }
    return bitmap;
}

QString toQtFilter(const std::string& filter) {
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (name.contains(QLatin1Char('(')) ? name : QStringLiteral("%1 (%2)").arg(name, patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

platform::ShiftState shiftState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    platform::ShiftState state;
    state.shift = modifiers.testFlag(Qt::ShiftModifier);
    state.ctrl = modifiers.testFlag(Qt::ControlModifier);
    state.alt = modifiers.testFlag(Qt::AltModifier);
    state.left = buttons.testFlag(Qt::LeftButton);
    state.right = buttons.testFlag(Qt::RightButton);
    state.middle = buttons.testFlag(Qt::MiddleButton);
    return state;
}

std::optional<platform::MouseButton> mouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return platform::MouseButton::Left;
        case Qt::RightButton:
            return platform::MouseButton::Right;
        case Qt::MiddleButton:
            return platform::MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace platform::qt
