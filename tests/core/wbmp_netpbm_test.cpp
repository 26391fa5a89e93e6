#include "app/commands.h"
#include "support/editor.h"
#include "support/netpbm.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

// The writer and the reader held against netpbm's own WBMP converters, which no one here wrote.
namespace {

bool haveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A picture with no symmetry to hide a swapped bit, row or byte.
bool patternIsWhite(int x, int y) {
    return (x * 7 + y * 3 + x * y) % 5 < 2;
}

void writePlainPbm(const std::string& path, int width, int height) {
    std::ofstream out(path);
    out << "P1\n" << width << ' ' << height << '\n';
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out << (patternIsWhite(x, y) ? "0 " : "1 ");
        out << '\n';
    }
}

struct Size {
    int width;
    int height;
};

const Size Sizes[] = {{1, 1}, {7, 3}, {8, 8}, {10, 2}, {17, 5}, {33, 9}, {96, 80}};

}  // namespace

TEST(WbmpInterop, NetpbmReadsTheSamePixelsFromOurFiles) {
    if (!haveTool("wbmptopbm")) GTEST_SKIP() << "netpbm's wbmptopbm is not installed";
    support::ScratchDirectory scratch;
    for (const Size size : Sizes) {
        support::Editor editor;
        editor.startDocument(std::to_string(size.width), std::to_string(size.height));
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                editor.form.Boxi.picture.setPixel(x, y, patternIsWhite(x, y) ? raster::White : raster::Black);
        const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
        editor.system.queueSaveDialog(scratch.path() + "/" + name);
        ASSERT_TRUE(commands::chooseMenuItem(editor.form, editor.form.SaveAs));
        ASSERT_EQ(std::system(("wbmptopbm " + name + ".wbmp > " + name + ".pbm 2>/dev/null").c_str()), 0);

        const raster::Bitmap seen = support::readNetpbmFile(name + ".pbm");
        ASSERT_EQ(seen.width(), size.width);
        ASSERT_EQ(seen.height(), size.height);
        for (int y = 0; y < size.height; ++y)
            EXPECT_EQ(support::rowText(seen, y), support::rowText(editor.form.Boxi.picture, y).substr(0, size.width))
                << size.width << " x " << size.height << " row " << y;
    }
}

TEST(WbmpInterop, FilesMadeByNetpbmOpenWithExactlyTheirPixels) {
    if (!haveTool("pbmtowbmp")) GTEST_SKIP() << "netpbm's pbmtowbmp is not installed";
    support::ScratchDirectory scratch;
    for (const Size size : Sizes) {
        const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
        writePlainPbm(name + ".pbm", size.width, size.height);
        ASSERT_EQ(std::system(("pbmtowbmp " + name + ".pbm > " + name + ".wbmp 2>/dev/null").c_str()), 0);

        support::Editor editor;
        editor.startDocument("1", "1");
        editor.system.queueOpenDialog(scratch.path() + "/" + name + ".wbmp");
        ASSERT_TRUE(commands::chooseMenuItem(editor.form, editor.form.Open));
        EXPECT_TRUE(editor.system.takeAllMessages().empty()) << name;
        ASSERT_EQ(editor.form.ImageWidth, size.width);
        ASSERT_EQ(editor.form.ImageHeight, size.height);
        const raster::Bitmap expected = support::readNetpbmFile(name + ".pbm");
        for (int y = 0; y < size.height; ++y)
            EXPECT_EQ(support::rowText(editor.form.Boxi.picture, y).substr(0, size.width),
                      support::rowText(expected, y))
                << name << " row " << y;
    }
}
