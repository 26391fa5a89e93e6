#include "platform/qt/host_style.h"

#include "platform/qt/resources.h"
#include "platform/raster/color.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace platform::qt {

namespace {

QStyle* classicStyle() {
    if (QStyle* windows = QStyleFactory::create(QStringLiteral("Windows"))) return windows;
    return QStyleFactory::create(QStringLiteral("Fusion"));
}

}  // namespace

HostStyle::HostStyle() : QProxyStyle(classicStyle()) {}

QPalette HostStyle::standardPalette() const {
    QPalette palette(Qt::black, QColor(raster::Silver), Qt::white, QColor(0x808080), QColor(0xA0A0A0), Qt::black,
                     Qt::white, Qt::white, QColor(raster::Silver));
    palette.setColor(QPalette::Midlight, QColor(0xDFDFDF));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x000080));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFFFFE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x808080));
    return palette;
}

void HostStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    if (element == CE_MenuBarEmptyArea) {
        painter->fillRect(option->rect, option->palette.button());
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int HostStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay) return m_hintPause;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

HostStyle* HostStyle::install() {
    loadResources();
    if (auto* current = qobject_cast<HostStyle*>(QApplication::style())) return current;
    auto* style = new HostStyle;
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());
    return style;
}

}  // namespace platform::qt
