#pragma once

#include <QProxyStyle>

namespace platform::qt {

// The application's style: the classic bevelled look and colours, and the hint delay that the
// program sets (Application.HintPause) instead of the platform's own.
class HostStyle : public QProxyStyle {
    Q_OBJECT

public:
    HostStyle();

    void setHintPause(int milliseconds) { m_hintPause = milliseconds; }
    int hintPause() const { return m_hintPause; }

    // The classic system colours: silver faces, a 0x808080 shadow and a white highlight on bevels.
    QPalette standardPalette() const override;

    // The menu bar is flat, as the classic one is: no shadow line below it.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;

    // Installs the style for the whole application once and answers it.
    static HostStyle* install();

private:
    int m_hintPause = 500;
};

}  // namespace platform::qt
