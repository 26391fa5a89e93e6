#include "support/scenario_runner.h"

#include "support/scenario_session.h"
#include "support/scratch_directory.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace support {

namespace {

std::optional<std::string> readText(const std::string& path) {
    if (std::filesystem::is_directory(path)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void runStatements(const std::string& path, const std::vector<Statement>& statements, ScenarioSession& session,
                   ScriptOutcome& outcome, std::ostream& out) {
    for (const Statement& statement : statements) {
        const std::string where = path + ":" + std::to_string(statement.line) + ": ";
        try {
            const std::optional<CheckResult> result = session.run(statement);
            if (!result) continue;
            if (result->passed) {
                ++outcome.passed;
                continue;
            }
            ++outcome.failed;
            out << "FAIL " << where << result->what << " expected " << result->expected << ", got " << result->got
                << '\n';
        } catch (const ScriptError& error) {
            out << "ERROR " << where << error.what() << ": " << statement.source << '\n';
            outcome.broken = true;
            return;
        } catch (const std::exception& error) {
            // Commands catch what the program raises, so this is a fault of the program: a failure, not
            // a script the runner cannot understand.
            ++outcome.failed;
            out << "FAIL " << where << statement.source << " expected to finish, got the exception \"" << error.what()
                << "\"\n";
        }
    }
}

}  // namespace

ScriptOutcome runScenarioFile(const std::string& path, std::ostream& out) {
    ScriptOutcome outcome;
    const std::optional<std::string> text = readText(path);
    if (!text) {
        out << "ERROR " << path << ": cannot read the script\n";
        outcome.broken = true;
    } else {
        // Only the set-up can throw here: what a statement raises is handled statement by statement.
        try {
            const std::string here = std::filesystem::absolute(path).parent_path().lexically_normal().string();
            ScratchDirectory scratch;
            const std::vector<Statement> statements = readScript(*text, scratch.path(), here);
            ScenarioSession session;
            runStatements(path, statements, session, outcome, out);
        } catch (const std::exception& error) {
            out << "ERROR " << path << ": cannot run the script: " << error.what() << '\n';
            outcome.broken = true;
        }
    }
    out << path << ": " << outcome.passed << " passed, " << outcome.failed << " failed\n";
    return outcome;
}

int runScenarioFiles(const std::vector<std::string>& paths, std::ostream& out) {
    ScriptOutcome total;
    for (const std::string& path : paths) {
        const ScriptOutcome outcome = runScenarioFile(path, out);
        total.passed += outcome.passed;
        total.failed += outcome.failed;
        total.broken = total.broken || outcome.broken;
    }
    if (paths.size() > 1) out << total.passed << " passed, " << total.failed << " failed\n";
    out.flush();
    if (total.broken) return 2;
    return total.failed > 0 ? 1 : 0;
}

}  // namespace support
