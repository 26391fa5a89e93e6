#pragma once

#include "platform/controls.h"

#include <QFrame>

#include <array>
#include <string>

class QLabel;

namespace platform::qt {

// The status bar: sunken text panels of the control's widths, side by side along the bottom edge.
class StatusPanels : public QFrame {
public:
    StatusPanels(const platform::StatusBar& bar, QWidget* parent);

    void sync();
    QLabel* panel(int index) const { return m_panels.at(static_cast<std::size_t>(index)); }

private:
    const platform::StatusBar& m_bar;
    std::array<QLabel*, 3> m_panels{};
    // The texts the panels show.
    std::array<std::string, 3> m_texts;
    bool m_synced = false;
};

}  // namespace platform::qt
