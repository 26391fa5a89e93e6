#include "app/program.h"
#include "document/limits.h"
#include "platform/posix_file_system.h"
#include "platform/qt/image_view.h"
#include "platform/qt/main_window.h"
#include "platform/qt/services.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using document::MaxHeight;
using document::MaxWidth;
using document::Zoom;

// The real window on Qt's offscreen platform with a blank 96 x 80 document and the pen, width 1.
struct Editor {
    Editor() {
        form.type(form.Leveys, std::to_string(MaxWidth));
        form.type(form.Korkeus, std::to_string(MaxHeight));
        form.click(form.OKButton);
        window.afterHandler();
        window.show();
        QCoreApplication::processEvents();
    }

    platform::PosixFileSystem files;
    platform::qt::QtServices services{files};
    Program program{services.services()};
    TMainForm& form = program.MainForm;
    platform::qt::MainWindow window{form};
    QWidget& view = *window.widgets().pointerView();
};

void send(QWidget& view, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF at(x * Zoom + Zoom / 2, y * Zoom + Zoom / 2);
    QMouseEvent event(type, at, view.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

// One motion of a pen stroke as a person draws it, each step into the next cell of a row: the pointer
// event, the handler through the window's input, the sync of the widgets and the paint of what
// changed, all that the window does before it waits for the next event. Between rows (untimed) the
// stroke ends and the picture is inverted, so that every timed motion changes a pixel.
std::unique_ptr<Editor> editorUnderTest;

void PenMotionThroughTheWindow(benchmark::State& state) {
    if (!editorUnderTest) editorUnderTest = std::make_unique<Editor>();
    Editor& editor = *editorUnderTest;
    QWidget& view = editor.view;
    int x = 0, y = 0;
    send(view, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        x = (x + 1) % MaxWidth;
        if (x == 0) {
            state.PauseTiming();
            send(view, QEvent::MouseButtonRelease, MaxWidth - 1, y, Qt::LeftButton, Qt::NoButton);
            editor.form.pressShortcut("Ctrl+I");
            editor.window.afterHandler();
            y = (y + 1) % MaxHeight;
            send(view, QEvent::MouseButtonPress, 0, y, Qt::LeftButton, Qt::LeftButton);
            QCoreApplication::processEvents();
            state.ResumeTiming();
            continue;
        }
        send(view, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(PenMotionThroughTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The window paints into memory: the figure is the program's own work, not the X server's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArguments = 1;
    QApplication application(qtArguments, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes before the application that it needs.
    editorUnderTest.reset();
    return 0;
}
