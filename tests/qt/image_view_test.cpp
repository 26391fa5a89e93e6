#include "platform/qt/image_view.h"
#include "platform/controls.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using platform::qt::ImageView;

namespace {

// A checkerboard with a few odd pixels, so that neighbouring blocks always differ somewhere.
void drawPattern(raster::Bitmap& bitmap) {
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, (x + y) % 2 == 0 || x % 7 == 3 ? raster::Black : raster::White);
}

// A size in device pixels at the given device pixel ratio.
QSize deviceSize(int width, int height, qreal ratio) {
    return {static_cast<int>(std::lround(width * ratio)), static_cast<int>(std::lround(height * ratio))};
}

QImage renderAt(QWidget& widget, qreal ratio) {
    QImage image(deviceSize(widget.width(), widget.height(), ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::red);
    widget.render(&image);
    return image;
}

// The first pixel of the image whose colour is not the bitmap pixel it shows, as "x,y", or empty.
QString firstWrongPixel(const QImage& image, const raster::Bitmap& bitmap, qreal blockSize) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int column = int(x / blockSize), row = int(y / blockSize);
            const QRgb expected = 0xFF000000u | bitmap.pixel(column, row);
            if (image.pixel(x, y) != expected) return QStringLiteral("%1,%2").arg(x).arg(y);
        }
    return {};
}

}  // namespace

class ImageViewTest : public QObject {
    Q_OBJECT

private slots:
    void stretchedViewPaintsUniformBlocks_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void stretchedViewPaintsUniformBlocks() {
        QFETCH(qreal, ratio);
        platform::Form form;
        platform::Image boxi(form, "Boxi", nullptr, {0, 0, 576, 480}, 96, 80);
        boxi.stretch = true;
        drawPattern(boxi.picture);
        ImageView view(boxi, nullptr);
        view.resize(576, 480);
        view.refresh();
        const QImage image = renderAt(view, ratio);
        QCOMPARE(image.size(), deviceSize(576, 480, ratio));
        QCOMPARE(firstWrongPixel(image, boxi.picture, 6 * ratio), QString());
    }

    void previewPaintsOnePixelPerPixel_data() { stretchedViewPaintsUniformBlocks_data(); }

    // At true size each picture pixel takes `ratio` device pixels; every device pixel shows exactly the
    // colour of the picture pixel it lies in, never a blend of two.
    void previewPaintsOnePixelPerPixel() {
        QFETCH(qreal, ratio);
        platform::Form form;
        platform::Image preview(form, "PikkuBoxi", nullptr, {0, 0, 96, 80}, 96, 80);
        drawPattern(preview.picture);
        ImageView view(preview, nullptr);
        view.resize(96, 80);
        view.refresh();
        QCOMPARE(firstWrongPixel(renderAt(view, ratio), preview.picture, ratio), QString());
    }

    void refreshShowsChangedPixelsAndNewSizes() {
        platform::Form form;
        platform::Image boxi(form, "Boxi", nullptr, {0, 0, 576, 480}, 96, 80);
        boxi.stretch = true;
        ImageView view(boxi, nullptr);
        view.resize(576, 480);
        view.refresh();
        boxi.picture.setPixel(95, 79, raster::Black);
        boxi.picture.setPixel(40, 2, raster::Black);
        view.refresh();
        QCOMPARE(firstWrongPixel(renderAt(view, 1.0), boxi.picture, 6.0), QString());

        platform::Image preview(form, "PikkuBoxi", nullptr, {0, 0, 5, 5});
        ImageView small(preview, nullptr);
        small.resize(5, 5);
        small.refresh();
        preview.picture.reset(5, 5, raster::Black);
        small.refresh();
        QCOMPARE(firstWrongPixel(renderAt(small, 1.0), preview.picture, 1.0), QString());
    }

    void pointerEventsCarrySignedPositionsAndHeldButtons() {
        platform::Form form;
        platform::Image boxi(form, "Boxi", nullptr, {0, 0, 576, 480}, 96, 80);
        ImageView view(boxi, nullptr);
        view.resize(576, 480);
        QList<QString> seen;
        auto describe = [](platform::ShiftState shift, int x, int y) {
            return QStringLiteral("%1%2%3 %4,%5")
                .arg(shift.left ? "L" : "-", shift.right ? "R" : "-", shift.shift ? "S" : "-")
                .arg(x)
                .arg(y);
        };
        view.onPress = [&](platform::MouseButton, platform::ShiftState shift, int x, int y) {
            seen << "down " + describe(shift, x, y);
        };
        view.onRelease = [&](platform::MouseButton, platform::ShiftState shift, int x, int y) {
            seen << "up " + describe(shift, x, y);
        };
        QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 12));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(-4, 600));
        // On a press the pressed button is held; on its release it no longer is.
        QCOMPARE(seen, QList<QString>({"down L-S 10,12", "up --- -4,600"}));
    }
};

QTEST_MAIN(ImageViewTest)
#include "image_view_test.moc"
