#include "app/commands.h"
#include "app/program.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <atomic>
#include <cstdlib>
#include <new>

// Counts the heap blocks and bytes alive in this test program, so that a long drag can be shown to
// leave nothing behind: every motion builds a pen and redraws a figure, and none of that may
// accumulate, neither as new blocks nor as a buffer that keeps growing.
namespace {
std::atomic<long> liveBlocks{0};
std::atomic<long> liveBytes{0};
}  // namespace

// The replacement pair below is malloc and free underneath; the compiler cannot see that the two
// belong together and warns about the free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    ++liveBlocks;
    liveBytes += static_cast<long>(malloc_usable_size(block));
    return block;
}
void operator delete(void* block) noexcept {
    if (!block) return;
    --liveBlocks;
    liveBytes -= static_cast<long>(malloc_usable_size(block));
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

constexpr int Motions = 100000;

struct Growth {
    long blocks = 0;
    long bytes = 0;
};

// Runs a drag of Motions motions sweeping around the whole view (and past its edges) with the tool,
// and answers how much more heap is alive at its end than after its first thousand motions.
Growth growthDuringDrag(platform::ToolButton& (*tool)(TMainForm&), int penWidth) {
    support::ScriptedPlatform system;
    Program program(system.services());
    TMainForm& form = program.MainForm;
    form.Leveys.type("96");
    form.Korkeus.type("80");
    commands::click(form, form.OKButton);
    while (form.PenWidth.position != penWidth) commands::stepPenWidth(form, 1);
    commands::click(form, tool(form));

    const platform::ShiftState left{.left = true};
    commands::mouseDown(form, platform::MouseButton::Left, left, 288, 240);
    Growth warmedUp;
    for (int i = 0; i < Motions; ++i) {
        if (i == 1000) warmedUp = {liveBlocks.load(), liveBytes.load()};
        commands::mouseMove(form, left, (i * 37) % 640 - 30, (i * 53) % 540 - 30);
    }
    const Growth growth{liveBlocks.load() - warmedUp.blocks, liveBytes.load() - warmedUp.bytes};
    commands::mouseUp(form, platform::MouseButton::Left, {}, 100, 100);
    return growth;
}

TEST(LongDrag, KeepsTheNumberOfLiveHeapBlocksFlatForEveryTool) {
    struct Case {
        const char* name;
        platform::ToolButton& (*tool)(TMainForm&);
    };
    const Case cases[] = {
        {"Pen", [](TMainForm& f) -> platform::ToolButton& { return f.Pen; }},
        {"Fill", [](TMainForm& f) -> platform::ToolButton& { return f.Fill; }},
        {"Line", [](TMainForm& f) -> platform::ToolButton& { return f.Line; }},
        {"RoundRect", [](TMainForm& f) -> platform::ToolButton& { return f.RoundRect; }},
        {"FilledCircle", [](TMainForm& f) -> platform::ToolButton& { return f.FilledCircle; }},
    };
    for (const Case& c : cases) {
        const Growth growth = growthDuringDrag(c.tool, 8);
        EXPECT_EQ(growth.blocks, 0) << c.name;
        EXPECT_EQ(growth.bytes, 0) << c.name;
    }
}

}  // namespace
