#include "platform/qt/convert.h"

#include "platform/pictures/over_white.h"

#include <QStringList>

#include <algorithm>

namespace platform::qt {

QFont toQFont(const platform::Font& font) {
    QFont result(toQString(font.family));
    if (font.height > 0) result.setPixelSize(font.height);
    result.setBold(font.bold);
    return result;
}

QString picturePath(const std::string& name) { return QStringLiteral(":/pictures/%1.xpm").arg(toQString(name)); }

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
        case Qt::LeftButton: return platform::MouseButton::Left;
        case Qt::RightButton: return platform::MouseButton::Right;
        case Qt::MiddleButton: return platform::MouseButton::Middle;
        default: return std::nullopt;
    }
}

}  // namespace platform::qt
