#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

// What the command line asks for. The program takes one optional picture to open; a session manager
// that restarts it adds "-session ID", which goes on to Qt's session management and nowhere else.
// Nothing else reaches Qt, so no option of Qt's (-style, -platform, ...) changes the program.
struct Arguments {
    enum class Action { Run, Help, Version, Usage };
    Action action = Action::Run;
    std::optional<std::string> file;
    std::optional<std::string> sessionId;
    // With Usage: what was wrong, for the line on the error stream.
    std::string problem;
};

// The arguments after the program's name.
Arguments parseArguments(const std::vector<std::string>& arguments);

std::string usageLine(const std::string& programName);
std::string helpText(const std::string& programName);
std::string versionText();

}  // namespace app
