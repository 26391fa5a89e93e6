#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs scenario scripts and reports as the velmora-scenario tool does:
//   FAIL FILE:LINE: WHAT expected E, got G      for each failed check
//   ERROR FILE:LINE: REASON: LINE               for a line the runner does not understand (the script stops)
//   FILE: N passed, M failed                    per script
//   N passed, M failed                          over all scripts, when there are several
namespace support {

struct ScriptOutcome {
    int passed = 0;
    int failed = 0;
    // The script could not be read or has a line the runner does not understand.
    bool broken = false;
};

// Each script runs on a freshly started program in a fresh empty working directory.
ScriptOutcome runScenarioFile(const std::string& path, std::ostream& out);

// Answers the exit status: 2 when a script was broken, otherwise 1 when a check failed, otherwise 0.
int runScenarioFiles(const std::vector<std::string>& paths, std::ostream& out);

}  // namespace support
