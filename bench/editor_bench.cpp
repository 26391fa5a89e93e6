// One step of each editing hot path on the real form, against a plain copy of the 96 x 80 document
// as the floor. Run a Release build: build-bench/editor_bench --benchmark_min_time=0.2
#include "app/program.h"
#include "platform/errors.h"
#include "support/quiet_platform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

// A clipboard holding one large colour picture; like the real one it hands out only the part asked for.
class PictureClipboard : public platform::Clipboard {
public:
    explicit PictureClipboard(raster::Bitmap picture) : m_picture(std::move(picture)) {}
    bool hasBitmap() override { return true; }
    void open() override {}
    void empty() override {}
    void putBitmap(const raster::Bitmap&) override {}
    std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) override {
        raster::Bitmap part(std::min(maxWidth, m_picture.width()), std::min(maxHeight, m_picture.height()));
        for (int y = 0; y < part.height(); ++y) std::copy_n(m_picture.row(y), part.width(), part.row(y));
        return part;
    }
    void close() override {}

private:
    raster::Bitmap m_picture;
};

raster::Bitmap colourPicture(int width, int height) {
    raster::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.row(y)[x] = (x * 7 + y * 13) % 5 ? raster::White : 0xC08040;
    return picture;
}

struct Editor {
    support::QuietPlatform quiet;
    PictureClipboard clipboard{colourPicture(4000, 4000)};
    platform::Services services{quiet, quiet, quiet, clipboard, quiet, quiet, quiet, quiet};
    Program program{services};
    TMainForm& form = program.MainForm;

    Editor() {
        form.Leveys.type("96");
        form.Korkeus.type("80");
        form.OKButtonClick(&form.OKButton);
    }
    void select(platform::ToolButton& tool) {
        for (platform::ToolButton* button : form.toolButtons) button->down = button == &tool;
    }
    void setPenWidth(int width) {
        form.PenWidth.position = width;
        form.PenSizeChange(&form.PenSize);
    }
    void press(int x, int y) { form.BoxiMouseDown(nullptr, platform::MouseButton::Left, {.left = true}, x, y); }
    void move(int x, int y) { form.BoxiMouseMove(nullptr, {.left = true}, x, y); }
    void release(int x, int y) { form.BoxiMouseUp(nullptr, platform::MouseButton::Left, {}, x, y); }
};

void PlainDocumentCopy(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) {
        editor.form.Mappi.canvas.copyRect(editor.form.ImageRect, editor.form.Boxi.canvas, editor.form.ImageRect);
        benchmark::DoNotOptimize(editor.form.Mappi.picture.row(0));
    }
}
BENCHMARK(PlainDocumentCopy);

void PenMotionWidth8(benchmark::State& state) {
    Editor editor;
    editor.setPenWidth(8);
    editor.press(300, 240);
    int step = 0;
    for (auto _ : state) {
        // Sweeps back and forth across the view, one image pixel a motion.
        const int x = 6 * (step % 80) + 3;
        ++step;
        editor.move(x, 240 + (step % 2) * 6);
    }
}
BENCHMARK(PenMotionWidth8);

void FillPressOnEmptyDocument(benchmark::State& state) {
    Editor editor;
    editor.select(editor.form.Fill);
    for (auto _ : state) {
        state.PauseTiming();
        editor.form.Boxi.picture.fill(raster::White);
        editor.form.commitPicture();
        state.ResumeTiming();
        editor.press(300, 240);
    }
}
BENCHMARK(FillPressOnEmptyDocument);

void ReleaseCommitAndSnapshot(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) editor.release(300, 240);
}
BENCHMARK(ReleaseCommitAndSnapshot);

void UndoOneStep(benchmark::State& state) {
    Editor editor;
    editor.release(300, 240);
    for (auto _ : state) editor.form.UndoClick(&editor.form.Undo);
}
BENCHMARK(UndoOneStep);

// Arg 0 to 6: line, rectangle, ellipse and round rectangle at width 8, then the three filled kinds.
void ShapeMotionStep(benchmark::State& state) {
    using Setup = void (TMainForm::*)(platform::Object*);
    struct Tool {
        platform::ToolButton TMainForm::*button;
        Setup setup;
    };
    static constexpr Tool tools[] = {
        {&TMainForm::Line, &TMainForm::LineClick},
        {&TMainForm::RectangleButton, &TMainForm::RectangleButtonClick},
        {&TMainForm::Circle, &TMainForm::CircleClick},
        {&TMainForm::RoundRect, &TMainForm::RoundRectClick},
        {&TMainForm::FilledRect, &TMainForm::FilledRectClick},
        {&TMainForm::FilledCircle, &TMainForm::FilledCircleClick},
        {&TMainForm::FilledRoundRect, &TMainForm::FilledRoundRectClick},
    };
    Editor editor;
    const Tool& tool = tools[state.range(0)];
    editor.setPenWidth(8);
    editor.select(editor.form.*tool.button);
    (editor.form.*tool.setup)(&(editor.form.*tool.button));
    editor.press(30, 30);
    int step = 0;
    for (auto _ : state) {
        ++step;
        editor.move(500 + 6 * (step % 10), 400 - 6 * (step % 7));
    }
}
BENCHMARK(ShapeMotionStep)->DenseRange(0, 6);

// Arg 0 to 2: Invert, Flip, Mirror of the whole 96 x 80 document.
void Transform(benchmark::State& state) {
    using Handler = void (TMainForm::*)(platform::Object*);
    static constexpr Handler handlers[] = {&TMainForm::InvertClick, &TMainForm::FlipClick, &TMainForm::MirrorClick};
    const Handler handler = handlers[state.range(0)];
    Editor editor;
    for (auto _ : state) (editor.form.*handler)(nullptr);
}
BENCHMARK(Transform)->DenseRange(0, 2);

void PasteOf4000x4000Picture(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) editor.form.PasteClick(&editor.form.Paste);
}
BENCHMARK(PasteOf4000x4000Picture);

}  // namespace

BENCHMARK_MAIN();
