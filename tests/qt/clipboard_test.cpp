#include "platform/qt/clipboard.h"
#include "platform/qt/convert.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using platform::qt::QtClipboard;

namespace {

// A small picture with every pixel decided, black and white and one colour.
raster::Bitmap pattern(int width, int height) {
    raster::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x * 3 + y) % 4 == 0) bitmap.setPixel(x, y, raster::Black);
    bitmap.setPixel(width - 1, 0, 0xC0C0C0);
    return bitmap;
}

bool onRealX11() { return QGuiApplication::platformName() == QStringLiteral("xcb"); }

// Runs xclip on the system clipboard, serving Qt's side of the exchange meanwhile.
QByteArray xclip(const QStringList& arguments, bool* finished) {
    QProcess process;
    process.start(QStringLiteral("xclip"), QStringList{"-selection", "clipboard"} + arguments);
    *finished = process.waitForStarted(5000);
    QDeadlineTimer deadline(10000);
    while (*finished && process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(10);
    *finished = *finished && process.state() == QProcess::NotRunning && process.exitCode() == 0;
    return process.readAllStandardOutput();
}

}  // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void aCopiedBitmapComesBackCutToTheAskedSize() {
        QtClipboard clipboard;
        clipboard.open();
        clipboard.empty();
        clipboard.putBitmap(pattern(10, 7));
        clipboard.close();
        QTRY_VERIFY(clipboard.hasBitmap());
        QCOMPARE(clipboard.bitmap(96, 80), std::optional(pattern(10, 7)));
        const auto part = clipboard.bitmap(4, 3);
        QVERIFY(part.has_value());
        QCOMPARE(part->width(), 4);
        QCOMPARE(part->height(), 3);
        QCOMPARE(part->pixel(0, 0), raster::Black);
    }

    void textAndEmptinessAreNoBitmap() {
        QtClipboard clipboard;
        QApplication::clipboard()->setText(QStringLiteral("not a picture"));
        QTRY_VERIFY(!clipboard.hasBitmap());
        QVERIFY(!clipboard.bitmap(96, 80).has_value());
        clipboard.open();
        clipboard.putBitmap(pattern(2, 2));
        clipboard.close();
        QTRY_VERIFY(clipboard.hasBitmap());
        clipboard.open();
        clipboard.empty();
        clipboard.close();
        QTRY_VERIFY(!clipboard.hasBitmap());
    }

    void aPictureFromAnotherProgramPastes() {
        if (!onRealX11()) QSKIP("needs a real X server and xclip");
        QImage picture(20, 12, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int x = 0; x < 20; ++x) picture.setPixel(x, x % 12, qRgb(0, 0, 0));
        picture.setPixel(19, 11, qRgb(255, 255, 0));
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("in.png"));
        QVERIFY(picture.save(file));
        bool finished = false;
        xclip({"-t", "image/png", "-i", file}, &finished);
        QVERIFY(finished);

        QtClipboard clipboard;
        QTRY_VERIFY(clipboard.hasBitmap());
        const auto pasted = clipboard.bitmap(96, 80);
        QVERIFY(pasted.has_value());
        QCOMPARE(*pasted, platform::qt::bitmapFromImage(picture, 96, 80));
        QCOMPARE(pasted->pixel(19, 11), raster::Color(0xFFFF00));
    }

    void aCopiedBitmapReachesAnotherProgramAsPngAndBmp() {
        if (!onRealX11()) QSKIP("needs a real X server and xclip");
        QtClipboard clipboard;
        clipboard.open();
        clipboard.putBitmap(pattern(10, 7));
        clipboard.close();
        bool finished = false;
        const QByteArray targets = xclip({"-t", "TARGETS", "-o"}, &finished);
        QVERIFY(finished);
        QVERIFY2(targets.contains("image/png") && targets.contains("image/bmp"), targets.constData());
        const QByteArray png = xclip({"-t", "image/png", "-o"}, &finished);
        QVERIFY(finished);
        const QImage received = QImage::fromData(png, "PNG");
        QCOMPARE(platform::qt::bitmapFromImage(received, 96, 80), pattern(10, 7));
    }
};

// The exchange with other programs needs the real X11 clipboard; everything else runs anywhere.
int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsEmpty("DISPLAY") && !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    ClipboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "clipboard_test.moc"
