#include "document/limits.h"
#include "platform/controls.h"
#include "platform/qt/image_view.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

using document::MaxHeight;
using document::MaxWidth;
using document::Zoom;

constexpr int ViewWidth = MaxWidth * Zoom;
constexpr int ViewHeight = MaxHeight * Zoom;

platform::Image& boxi() {
    static platform::Form form;
    static platform::Image image(form, "Boxi", nullptr, {0, 0, ViewWidth, ViewHeight}, MaxWidth, MaxHeight);
    image.stretch = true;
    for (int y = 0; y < MaxHeight; ++y)
        for (int x = 0; x < MaxWidth; ++x) image.picture.setPixel(x, y, (x ^ y) & 1 ? raster::Black : raster::White);
    return image;
}

// One paint of the whole 576 x 480 view, as after a new document or an uncovered window.
void FullViewRepaint(benchmark::State& state) {
    platform::Image& image = boxi();
    platform::qt::ImageView view(image, nullptr);
    view.resize(ViewWidth, ViewHeight);
    view.refresh();
    QImage target(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(FullViewRepaint)->Unit(benchmark::kMicrosecond);

// What one pen step costs the view: find the changed block and repaint only it.
void OnePixelChange(benchmark::State& state) {
    platform::Image& image = boxi();
    platform::qt::ImageView view(image, nullptr);
    view.resize(ViewWidth, ViewHeight);
    view.refresh();
    QImage target(Zoom, Zoom, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const int x = step % MaxWidth, y = (step / MaxWidth) % MaxHeight;
        image.picture.setPixel(x, y, image.picture.pixel(x, y) ^ 0xFFFFFF);
        view.refresh();
        view.render(&target, QPoint(), QRegion(x * Zoom, y * Zoom, Zoom, Zoom));
        ++step;
    }
}
BENCHMARK(OnePixelChange)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArguments = 1;
    QApplication application(qtArguments, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
