#include "app/commands.h"
#include "app/program.h"
#include "heap/heap_count.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

// A long drag must leave nothing behind: every motion builds a pen and redraws a figure, and none of
// that may accumulate, neither as new blocks nor as a buffer that keeps growing.
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
        if (i == 1000) {
            const heap::HeapUse now = heap::liveHeap();
            warmedUp = {now.blocks, now.bytes};
        }
        commands::mouseMove(form, left, (i * 37) % 640 - 30, (i * 53) % 540 - 30);
    }
    const heap::HeapUse end = heap::liveHeap();
    const Growth growth{end.blocks - warmedUp.blocks, end.bytes - warmedUp.bytes};
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
