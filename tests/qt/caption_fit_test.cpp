#include "about/about_box.h"
#include "platform/qt/modal_host.h"
#include "platform/qt/up_down.h"

#include "modal_step.h"
#include "window_under_test.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

#include <cmath>

// Every caption of the main window and the About box fits its control in the fonts the program
// really gets, at the scale the test runs at. CTest runs this program once with QT_SCALE_FACTOR=1 and
// once with 2: at 2x Qt lays text out with the logical font's fractional advances and rasterises it
// at twice the size, so both are measured and compared in device pixels.
namespace {

// The layout's Windows fonts are drawn with this family on Linux.
const QString Substitute = QStringLiteral("Liberation Sans");

QFont deviceFont(QFont font, qreal ratio) {
    if (font.pixelSize() > 0)
        font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * ratio)));
    else
        font.setPointSizeF(font.pointSizeF() * ratio);
    return font;
}

int devicePixels(qreal logical, qreal ratio) {
    return static_cast<int>(std::ceil(logical * ratio - 1e-6));
}

// The device pixels a single line of text covers: its advance as laid out, or its ink where a glyph
// reaches past the advance.
QSize neededSize(const QFont& font, const QString& text, qreal ratio) {
    const QFontMetricsF logical(font);
    const QFontMetricsF device(deviceFont(font, ratio));
    const int width = std::max(devicePixels(logical.horizontalAdvance(text), ratio),
                               static_cast<int>(std::ceil(device.boundingRect(text).right())));
    return {width, devicePixels(logical.height(), ratio)};
}

class FitCheck {
public:
    explicit FitCheck(qreal ratio) : m_ratio(ratio) {}

    void checkAllIn(QWidget* top) {
        for (QLabel* label : top->findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty()) checkLabel(label);
        for (QPushButton* button : top->findChildren<QPushButton*>())
            if (button->isVisible()) checkButton(button);
        for (QGroupBox* group : top->findChildren<QGroupBox*>())
            if (group->isVisible()) checkGroup(group);
    }

    QStringList misfits() const { return m_misfits; }

private:
    qreal m_ratio;
    QStringList m_misfits;

    QString nameOf(const QWidget* widget) const {
        const QString own = widget->objectName();
        if (!own.isEmpty()) return own;
        return widget->parentWidget()->objectName() + QLatin1String(" panel");
    }

    void report(const QWidget* widget, const QString& text, QSize needed, QSize room) {
        const QString message = QStringLiteral("%1 \"%2\": needs %3 x %4 device pixels, has %5 x %6")
                                    .arg(nameOf(widget), text)
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(room.width())
                                    .arg(room.height());
        if (!m_misfits.contains(message)) m_misfits << message;
    }

    void checkFamily(const QWidget* widget) {
        const QString family = QFontInfo(widget->font()).family();
        if (family != Substitute) {
            const QString message = QStringLiteral("%1 is drawn in %2").arg(nameOf(widget), family);
            if (!m_misfits.contains(message)) m_misfits << message;
        }
    }

    void compare(const QWidget* widget, const QString& text, QSize needed, QRect room) {
        const QSize deviceRoom(devicePixels(room.width(), m_ratio), devicePixels(room.height(), m_ratio));
        if (needed.width() > deviceRoom.width() || needed.height() > deviceRoom.height())
            report(widget, text, needed, deviceRoom);
    }

    // The room QLabel draws its text in: the contents inside the frame and margin, less the indent
    // on the side the text is aligned to.
    void checkLabel(const QLabel* label) {
        checkFamily(label);
        QRect room = label->contentsRect().marginsRemoved(
            QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
        int indent = label->indent();
        if (indent < 0 && label->frameWidth() > 0)
            indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
        if (indent > 0) room.setLeft(room.left() + indent);
        const QString text = label->text();
        if (!label->wordWrap()) {
            compare(label, text, neededSize(label->font(), text, m_ratio), room);
            return;
        }
        const QRectF wrapped = QFontMetricsF(label->font())
                                   .boundingRect(QRectF(0, 0, room.width(), 1e4),
                                                 static_cast<int>(label->alignment()) | Qt::TextWordWrap, text);
        compare(label, text, {devicePixels(wrapped.width(), m_ratio), devicePixels(wrapped.height(), m_ratio)}, room);
    }

    // A push button draws its icon, a gap of four pixels and its caption inside the style's contents
    // rectangle.
    void checkButton(const QPushButton* button) {
        checkFamily(button);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        if (button->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QSize needed = neededSize(button->font(), button->text(), m_ratio);
        if (!button->icon().isNull()) {
            needed.rwidth() += devicePixels(button->iconSize().width() + 4, m_ratio);
            needed.setHeight(std::max(needed.height(), devicePixels(button->iconSize().height(), m_ratio)));
        }
        compare(button, button->text(), needed, room);
    }

    // A group box's caption sits in the style's label rectangle, which must lie inside the frame.
    void checkGroup(const QGroupBox* group) {
        checkFamily(group);
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label =
            group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        compare(group, group->title(), neededSize(group->font(), group->title(), m_ratio),
                label.intersected(group->rect().adjusted(1, 0, -1, 0)));
    }
};

qreal expectedRatio() {
    bool ok = false;
    const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

}  // namespace

class CaptionFitTest : public QObject {
    Q_OBJECT

private slots:
    void runsAtTheScaleItWasAskedFor() {
        WindowUnderTest under;
        QVERIFY(under.open());
        QCOMPARE(under.window().devicePixelRatio(), expectedRatio());
    }

    // The captions that change are checked at their widest: a 96 x 80 document, "Modified", the
    // pointer at the far corner, and every pen width.
    void everyMainWindowCaptionFits() {
        WindowUnderTest under;
        QVERIFY(under.open());
        QWidget* client = under.window().client();
        FitCheck check(client->devicePixelRatioF());
        check.checkAllIn(client);
        under.typeInto(under.form().Leveys, QStringLiteral("96"));
        under.typeInto(under.form().Korkeus, QStringLiteral("80"));
        QTest::mouseClick(under.widgetOf(under.form().OKButton), Qt::LeftButton);
        QWidget* view = under.widgetOf(under.form().Boxi);
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(3, 3));
        // The far corner may lie beyond the small screen of the offscreen platform, which drops input
        // there, so the motion goes to the view directly.
        QMouseEvent motion(QEvent::MouseMove, QPointF(575, 479), view->mapToGlobal(QPointF(575, 479)), Qt::NoButton,
                           Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &motion);
        QCOMPARE(under.form().StatusBar.panels[1], std::string("Modified"));
        QCOMPARE(QString::fromStdString(under.form().StatusBar.panels[0]), QStringLiteral("(95, 79)"));
        auto* arrows = under.widgetOf<platform::qt::UpDown>(under.form().PenWidth);
        for (int width = 1; width <= 8; ++width) {
            QCOMPARE(under.form().PW.caption, std::to_string(width));
            check.checkAllIn(client);
            QTest::mouseClick(arrows->rightArrow(), Qt::LeftButton);
        }
        QVERIFY2(check.misfits().isEmpty(), qPrintable(check.misfits().join(QLatin1String("\n"))));
    }

    void everyAboutBoxCaptionFits() {
        platform::qt::QtMessageBoxes messages;
        platform::qt::QtErrorDisplay errors{messages};
        TAboutBox about{errors};
        platform::qt::QtModalHost host;
        QStringList misfits;
        bool measured = false;
        whileModal([&](QWidget* dialog) {
            FitCheck check(dialog->devicePixelRatioF());
            check.checkAllIn(dialog);
            misfits = check.misfits();
            measured = true;
            dialog->close();
        });
        host.showModal(about);
        // Without a shown box nothing was measured, and no misfit would mean nothing.
        QVERIFY(measured);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1String("\n"))));
    }
};

QTEST_MAIN(CaptionFitTest)
#include "caption_fit_test.moc"
