// Replays every reference case (a script of drawing calls and the picture the classic drawing
// library left) and holds our pixels against it, counting matches per category.

#include "tools/replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Tally {
    int matched = 0;
    int total = 0;
    double share() const { return total == 0 ? 0.0 : double(matched) / total; }
};

TEST(ReferenceCases, EveryCaseMatchesPixelForPixel) {
    const fs::path dir = fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "raster-cases";
    ASSERT_TRUE(fs::is_directory(dir)) << dir;

    std::map<std::string, Tally> byCategory;
    Tally all;
    std::set<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".ops") scripts.insert(entry.path());
    }
    for (const fs::path& script : scripts) {
        // NNNN-category.ops
        const std::string stem = script.stem().string();
        const std::string category = stem.substr(stem.find('-') + 1);
        std::ifstream ops(script);
        fs::path expectedPath = script;
        std::ifstream pbm(expectedPath.replace_extension(".pbm"));
        ASSERT_TRUE(ops && pbm) << stem;
        const bool same = raster::replayOps(ops) == raster::readPbm(pbm);
        if (!same) ADD_FAILURE() << stem << " differs; see raster-replay " << script.filename().string() << " --diff";
        Tally& tally = byCategory[category];
        ++tally.total;
        ++all.total;
        tally.matched += same;
        all.matched += same;
    }

    for (const auto& [category, tally] : byCategory)
        std::cout << "  " << category << ": " << tally.matched << " / " << tally.total << "\n";
    std::cout << "  all: " << all.matched << " / " << all.total << "\n";

    // Every category is held to every case; the corpus has about 600.
    EXPECT_GE(all.total, 500);
    for (const char* category : {"penline", "penwide", "shapeline", "rect", "ellipse", "roundrect", "filled",
                                 "zerosize", "fill", "mixed", "invert"}) {
        EXPECT_GT(byCategory[category].total, 0) << category;
        EXPECT_EQ(byCategory[category].share(), 1.0) << category;
    }
    EXPECT_EQ(all.share(), 1.0);
}

}  // namespace
