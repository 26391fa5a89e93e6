#include "support/scenario_session.h"

#include "support/scenario_values.h"

namespace support {

ScenarioSession::ScenarioSession() : m_program(m_platform.services()) {}

std::optional<CheckResult> ScenarioSession::run(const Statement& statement) {
    if (!statement.error.empty()) throw ScriptError(statement.error);
    if (statement.tokens.empty()) throw ScriptError("an empty statement");
    if (statement.tokens.front() == "expect") return check(statement);
    act(statement);
    return clipboardLeftInTurn();
}

// The real clipboard fails a call made while it is not open, and one left open stays locked for every
// other program; so every action also checks that the program used it in turn and closed it again.
std::optional<CheckResult> ScenarioSession::clipboardLeftInTurn() {
    const ScriptedClipboard& clipboard = m_platform.clipboard();
    if (clipboard.misuses().size() > m_misusesSeen) {
        m_misusesSeen = clipboard.misuses().size();
        return CheckResult{false, "clipboard", "used only while open", clipboard.misuses().back()};
    }
    if (clipboard.isOpen()) return CheckResult{false, "clipboard", "closed after the action", "left open"};
    return std::nullopt;
}

platform::Control& ScenarioSession::visibleControl(const std::string& name) {
    platform::Control* control = form().findControl(name);
    if (!control) throw ScriptError("no control named " + inQuotes(name));
    for (const platform::Control* shown = control; shown; shown = shown->parent)
        if (shown->workObject) throw ScriptError(name + " is a hidden work object that a person cannot reach");
    return *control;
}

}  // namespace support
