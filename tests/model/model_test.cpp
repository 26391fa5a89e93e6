#include "model/model_run.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

// The randomised model test. Each seed drives fresh programs through thousands of random actions and
// checks every invariant after each one. A failure names the seed and the action, with the actions
// that led to it; VELMORA_MODEL_SEED=n and VELMORA_MODEL_STEPS=k replay that seed alone, up to k.
namespace {

int environmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

std::vector<std::uint32_t> seeds() {
    const int only = environmentNumber("VELMORA_MODEL_SEED", -1);
    if (only >= 0) return {static_cast<std::uint32_t>(only)};
    return {1, 2, 3, 4, 5, 6, 7, 8};
}

TEST(ModelRun, EveryInvariantHoldsAfterEveryRandomAction) {
    const int steps = environmentNumber("VELMORA_MODEL_STEPS", 3000);
    for (const std::uint32_t seed : seeds()) {
        support::ScratchDirectory folder;
        model::ModelRun run(seed, folder.path());
        for (int step = 1; step <= steps; ++step) {
            const std::string failure = run.step();
            if (!failure.empty()) {
                ADD_FAILURE() << "seed " << seed << ", action " << step << ": " << failure << "\nThe last actions:\n"
                              << run.recentActions();
                break;
            }
        }
        // Everything a closed program held is gone when the next one starts.
        const model::HeapUse growth = run.heapGrowthAtSessionStart();
        EXPECT_EQ(growth.blocks, 0) << "seed " << seed << " after " << run.sessionsStarted() << " programs";
        EXPECT_EQ(growth.bytes, 0) << "seed " << seed << " after " << run.sessionsStarted() << " programs";
        const model::ModelRun::Tally& tally = run.tally();
        std::cout << "seed " << seed << ": " << run.sessionsStarted() << " programs, " << tally.checkedCommands
                  << " commands checked against the model, " << tally.opened << " files opened, " << tally.refusedFiles
                  << " refused, " << tally.savedFiles << " saved, " << tally.pasted << " pastes, " << tally.undone
                  << " undos, " << tally.errorsShown << " messages\n";
        if (steps < 3000) continue;
        EXPECT_GT(run.sessionsStarted(), 1) << "seed " << seed << " never closed the window";
        EXPECT_GT(tally.opened, 0) << "seed " << seed;
        EXPECT_GT(tally.refusedFiles, 0) << "seed " << seed;
        EXPECT_GT(tally.savedFiles, 0) << "seed " << seed;
        EXPECT_GT(tally.undone, 0) << "seed " << seed;
    }
}

}  // namespace
