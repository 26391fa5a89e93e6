#include "support/scenario_session.h"

#include "support/scenario_values.h"

namespace support {

ScenarioSession::ScenarioSession() : m_program(m_platform.services()) {}

std::optional<CheckResult> ScenarioSession::run(const Statement& statement) {
    if (!statement.error.empty()) throw ScriptError(statement.error);
    if (statement.tokens.empty()) throw ScriptError("an empty statement");
    if (statement.tokens.front() == "expect") return check(statement);
    act(statement);
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
