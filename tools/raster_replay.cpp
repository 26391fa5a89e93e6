// raster-replay FILE.ops [--diff EXPECTED.pbm]
//
// Replays a drawing script on our canvas and prints the PBM it draws. With --diff it prints, for
// every row that differs, our row beside the expected one and a row marking the differences
// ('+' where we drew a black pixel too many, '-' where one is missing), then exits 1.

#include "tools/replay.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr << "usage: raster-replay FILE.ops [--diff EXPECTED.pbm]\n";
    return 2;
}

char cell(const raster::Bitmap& bitmap, int x, int y) {
    return bitmap.pixel(x, y) == raster::White ? '.' : '#';
}

int printDifferences(const raster::Bitmap& ours, const raster::Bitmap& expected) {
    if (ours.width() != expected.width() || ours.height() != expected.height()) {
        std::cout << "size differs: ours " << ours.width() << " x " << ours.height() << ", expected "
                  << expected.width() << " x " << expected.height() << "\n";
        return 1;
    }
    int differing = 0;
    bool headerShown = false;
    for (int y = 0; y < ours.height(); ++y) {
        std::string mine, theirs, marks;
        bool rowDiffers = false;
        for (int x = 0; x < ours.width(); ++x) {
            const char a = cell(ours, x, y);
            const char b = cell(expected, x, y);
            mine += a;
            theirs += b;
            marks += a == b ? '.' : (a == '#' ? '+' : '-');
            if (a != b) {
                rowDiffers = true;
                ++differing;
            }
        }
        if (rowDiffers) {
            if (!headerShown)
                std::cout << "row  ours" << std::string(std::max(ours.width() - 3, 1), ' ') << "expected"
                          << std::string(std::max(ours.width() - 7, 1), ' ') << "difference\n";
            headerShown = true;
            std::string label = std::to_string(y);
            label.resize(5, ' ');
            std::cout << label << mine << ' ' << theirs << ' ' << marks << '\n';
        }
    }
    std::cout << differing << " pixels differ\n";
    return differing == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string opsPath;
    std::string expectedPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--diff" && i + 1 < argc)
            expectedPath = argv[++i];
        else if (opsPath.empty() && arg.rfind("--", 0) != 0)
            opsPath = arg;
        else
            return usage();
    }
    if (opsPath.empty()) return usage();

    try {
        std::ifstream ops(opsPath);
        if (!ops) throw std::runtime_error("cannot open " + opsPath);
        const raster::Bitmap ours = raster::replayOps(ops);
        if (expectedPath.empty()) {
            std::cout << raster::toPbm(ours);
            return 0;
        }
        std::ifstream pbm(expectedPath);
        if (!pbm) throw std::runtime_error("cannot open " + expectedPath);
        return printDifferences(ours, raster::readPbm(pbm));
    } catch (const std::exception& e) {
        std::cerr << "raster-replay: " << e.what() << '\n';
        return 2;
    }
}
