#include "support/scenario_runner.h"

#include <iostream>

// velmora-scenario FILE...: runs scenario scripts against the real main form and prints what they
// check. Exit status 0 when everything passed, 1 when a check failed, 2 when a script is unusable.
int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: velmora-scenario FILE...\n";
        return 2;
    }
    return support::runScenarioFiles({argv + 1, argv + argc}, std::cout);
}
