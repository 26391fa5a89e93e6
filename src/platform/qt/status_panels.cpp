#include "platform/qt/status_panels.h"

#include "platform/accessible_text.h"
#include "platform/qt/convert.h"

#include <QLabel>

namespace platform::qt {

namespace {

// The bar's border and the gap between panels, as the classic status bar draws them.
constexpr int Border = 1;
constexpr int Gap = 2;

}  // namespace

StatusPanels::StatusPanels(const platform::StatusBar& bar, QWidget* parent) : QFrame(parent), m_bar(bar) {
    for (QLabel*& panel : m_panels) {
        panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setIndent(2);
    }
}

// Sets a panel's place and text only when they changed: a new text is laid out again.
void StatusPanels::sync() {
    int left = Border;
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        const int width = m_bar.panelWidths[i];
        const QRect place(left, Gap, width - Gap, height() - Gap - Border);
        left += width;
        if (m_panels[i]->geometry() != place) m_panels[i]->setGeometry(place);
        const std::string& text = m_bar.panels[i];
        if (m_synced && text == m_texts[i]) continue;
        m_texts[i] = text;
        m_panels[i]->setText(toQString(text));
        // A screen reader reads each panel's purpose with what it shows, "Pointer position: (2, 3)".
        std::string name = platform::statusPanelName(static_cast<int>(i));
        if (!text.empty()) name += ": " + text;
        m_panels[i]->setAccessibleName(toQString(name));
    }
    m_synced = true;
}

}  // namespace platform::qt
