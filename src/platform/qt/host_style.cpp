#include "platform/qt/host_style.h"

#include "platform/qt/resources.h"

#include <QApplication>
#include <QStyleFactory>

namespace platform::qt {

namespace {

QStyle* classicStyle() {
    if (QStyle* windows = QStyleFactory::create(QStringLiteral("Windows"))) return windows;
    return QStyleFactory::create(QStringLiteral("Fusion"));
}

}  // namespace

HostStyle::HostStyle() : QProxyStyle(classicStyle()) {}

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
    return style;
}

}  // namespace platform::qt
