#include "platform/qt/convert.h"
#include "platform/qt/resources.h"

#include <QPixmap>
#include <QSet>
#include <QTest>

using namespace platform::qt;

class ConvertTest : public QObject {
    Q_OBJECT

private slots:
    void fileFiltersBecomeQtFilters() {
        QCOMPARE(toQtFilter("Wireless Bitmap (*.wbmp)|*.wbmp"), QStringLiteral("Wireless Bitmap (*.wbmp)"));
        QCOMPARE(toQtFilter("Pictures|*.wbmp;*.pbm|All|*"), QStringLiteral("Pictures (*.wbmp *.pbm);;All (*)"));
        QCOMPARE(toQtFilter(""), QString());
    }

    void clipboardImagesAreCutBeforeConversion() {
        QImage large(300, 200, QImage::Format_RGB32);
        large.fill(QColor(10, 20, 30));
        large.setPixel(95, 79, qRgb(255, 255, 255));
        const raster::Bitmap part = bitmapFromImage(large, 96, 80);
        QCOMPARE(part.width(), 96);
        QCOMPARE(part.height(), 80);
        QCOMPARE(part.pixel(0, 0), raster::Color(0x0A141E));
        QCOMPARE(part.pixel(95, 79), raster::White);

        QImage small(3, 2, QImage::Format_RGB32);
        small.fill(Qt::white);
        const raster::Bitmap whole = bitmapFromImage(small, 96, 80);
        QCOMPARE(whole.width(), 3);
        QCOMPARE(whole.height(), 2);
        QVERIFY(bitmapFromImage(small, 0, 80).isEmpty());
    }

    void translucentPixelsAreSeenOverWhite() {
        QImage image(4, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(0, 0, 0, 0));
        image.setPixel(1, 0, qRgba(0, 0, 0, 128));
        image.setPixel(2, 0, qRgba(255, 255, 255, 255));
        image.setPixel(3, 0, qRgba(254, 255, 255, 255));
        const raster::Bitmap bitmap = bitmapFromImage(image, 96, 80);
        QCOMPARE(bitmap.pixel(0, 0), raster::White);
        QVERIFY(bitmap.pixel(1, 0) != raster::White);
        QCOMPARE(bitmap.pixel(2, 0), raster::White);
        QCOMPARE(bitmap.pixel(3, 0), raster::Color(0xFEFFFF));
    }

    void bitmapsBecomeOpaqueImages() {
        raster::Bitmap bitmap(2, 1);
        bitmap.setPixel(1, 0, 0x123456);
        const QImage image = toQImage(bitmap);
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(1, 0), qRgb(0x12, 0x34, 0x56));
        QCOMPARE(bitmapFromImage(image, 96, 80), bitmap);
    }

    void pointerStateListsModifiersAndHeldButtons() {
        const auto state = shiftState(Qt::LeftButton | Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(state.left && state.middle && !state.right);
        QVERIFY(state.ctrl && state.alt && !state.shift);
        QVERIFY(!mouseButton(Qt::BackButton).has_value());
        QCOMPARE(*mouseButton(Qt::RightButton), platform::MouseButton::Right);
    }

    void everyNamedPictureShipsWithTheProgram() {
        loadResources();
        const QStringList tools = {"pen",       "fill",       "line",          "rectangle",      "ellipse",
                                   "roundrect", "filledrect", "filledellipse", "filledroundrect"};
        for (const QString& name : tools) {
            const QPixmap picture(picturePath(name.toStdString()));
            QVERIFY2(!picture.isNull(), qPrintable(name));
            QVERIFY2(picture.width() >= 17 && picture.width() <= 20, qPrintable(name));
            QVERIFY2(picture.height() >= 17 && picture.height() <= 20, qPrintable(name));
        }
        QCOMPARE(QPixmap(picturePath("help")).size(), QSize(16, 15));
        QVERIFY(!QPixmap(picturePath("ok")).isNull());
        const QImage icon(picturePath("velmora-32"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) colours.insert(icon.pixel(x, y));
        QCOMPARE(colours.size(), 2);
    }
};

QTEST_MAIN(ConvertTest)
#include "convert_test.moc"
