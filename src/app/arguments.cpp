#include "app/arguments.h"

#include "velmora_version.h"

namespace app {

namespace {

Arguments refused(std::string problem) {
    Arguments result;
    result.action = Arguments::Action::Usage;
    result.problem = std::move(problem);
    return result;
}

// Qt accepts its own options with one dash or two; a session manager passes the one dash.
bool isSessionOption(const std::string& argument) {
    return argument == "-session" || argument == "--session";
}

}  // namespace

Arguments parseArguments(const std::vector<std::string>& arguments) {
    Arguments result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // A lone "-" is a name like any other, as it is for most programs that take file names.
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (isOption && argument == "--") {
            optionsEnded = true;
        } else if (isOption && argument == "--help") {
            result.action = Arguments::Action::Help;
        } else if (isOption && argument == "--version") {
            if (result.action != Arguments::Action::Help) result.action = Arguments::Action::Version;
        } else if (isOption && isSessionOption(argument)) {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) return refused(argument + " needs an ID");
            result.sessionId = arguments[++i];
        } else if (isOption) {
            return refused("unknown option " + argument);
        } else if (argument.empty()) {
            return refused("an empty file name");
        } else if (result.file) {
            return refused("one file at most");
        } else {
            result.file = argument;
        }
    }
    return result;
}

std::string usageLine(const std::string& programName) {
    return "Usage: " + programName + " [--help] [--version] [--] [FILE]";
}

std::string helpText(const std::string& programName) {
    return usageLine(programName) +
           "\n"
           "Draw and edit small black-and-white WBMP pictures.\n"
           "\n"
           "  FILE        a .wbmp picture to open at start, as File > Open would\n"
           "  --help      show this help and exit\n"
           "  --version   show the version and exit\n"
           "  --          take what follows as the file name, even if it starts with '-'\n";
}

std::string versionText() {
    return std::string("Velmora ") + VelmoraVersion + "\n";
}

}  // namespace app
