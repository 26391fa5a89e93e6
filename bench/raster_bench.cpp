// The drawing surface's heaviest calls on the editor's 96 x 80 bitmap, next to a plain memcpy of the
// bitmap as the floor.

#include "document/limits.h"
#include "platform/raster/canvas.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using raster::Bitmap;
using raster::Canvas;
using raster::PenStyle;

constexpr int Width = document::MaxWidth;
constexpr int Height = document::MaxHeight;

void roundLineWidth8(benchmark::State& state) {
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Plain, 8, raster::Black});
    for (auto _ : state) {
        canvas.moveTo(2, 3);
        canvas.lineTo(93, 76);
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(roundLineWidth8);

void squarePathWidth8(benchmark::State& state) {
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Square, 8, raster::Black});
    for (auto _ : state) {
        canvas.beginPath();
        canvas.moveTo(2, 3);
        canvas.lineTo(93, 40);
        canvas.lineTo(5, 76);
        canvas.lineTo(90, 70);
        canvas.endPath();
        canvas.strokePath();
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(squarePathWidth8);

void ellipseOutlineWidth8(benchmark::State& state) {
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Square, 8, raster::Black});
    canvas.setBrush({true, raster::White});
    for (auto _ : state) {
        canvas.ellipse(0, 0, Width, Height);
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(ellipseOutlineWidth8);

void roundRectOutlineWidth8(benchmark::State& state) {
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Square, 8, raster::Black});
    canvas.setBrush({true, raster::White});
    for (auto _ : state) {
        canvas.roundRect(0, 0, Width, Height, -Width / 2, -Height / 2);
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(roundRectOutlineWidth8);

void filledEllipse(benchmark::State& state) {
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    canvas.setPen({PenStyle::Square, 1, raster::Black});
    canvas.setBrush({false, raster::Black});
    for (auto _ : state) {
        canvas.ellipse(0, 0, Width, Height);
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(filledEllipse);

void floodFillWholeBitmap(benchmark::State& state) {
    // Every round floods the whole bitmap, alternating between black and white.
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    raster::Color surface = raster::White;
    for (auto _ : state) {
        const raster::Color fill = surface ^ 0xFFFFFF;
        canvas.setBrush({false, fill});
        canvas.floodFill(Width / 2, Height / 2, surface);
        surface = fill;
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(floodFillWholeBitmap);

void copyWholeBitmap(benchmark::State& state) {
    Bitmap source(Width, Height, raster::Black);
    Canvas from(source);
    Bitmap bitmap(Width, Height);
    Canvas canvas(bitmap);
    const platform::Rect whole{0, 0, Width, Height};
    for (auto _ : state) {
        canvas.copyRect(whole, from, whole);
        benchmark::DoNotOptimize(bitmap.row(0));
    }
}
BENCHMARK(copyWholeBitmap);

void memcpyFloor(benchmark::State& state) {
    std::vector<raster::Color> source(Width * Height, raster::Black);
    std::vector<raster::Color> dest(Width * Height);
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), dest.size() * sizeof(raster::Color));
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memcpyFloor);

}  // namespace

BENCHMARK_MAIN();
