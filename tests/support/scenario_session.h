#pragma once

#include "app/program.h"
#include "support/script.h"
#include "support/scripted_platform.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace support {

// A statement the runner does not understand: an unknown word, a wrong number of arguments, a name
// the form does not have, an input file that cannot be read. The script stops there.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const std::string& text) : std::runtime_error(text) {}
};

struct CheckResult {
    bool passed = true;
    std::string what;
    std::string expected;
    std::string got;
};

// One freshly started program with the scripted platform, driven statement by statement the way a
// person would drive the real window: every action goes through commands::*, every check reads
// what the person would see.
class ScenarioSession {
public:
    ScenarioSession();
    ScenarioSession(const ScenarioSession&) = delete;
    ScenarioSession& operator=(const ScenarioSession&) = delete;

    // Carries out an action (answering nothing) or a check (answering its result).
    std::optional<CheckResult> run(const Statement& statement);

    ScriptedPlatform& platform() { return m_platform; }
    Program& program() { return m_program; }
    TMainForm& form() { return m_program.MainForm; }

private:
    void act(const Statement& statement);
    void actOnClipboard(const Statement& statement);
    void actWithPointer(const Statement& statement);
    void drag(const Statement& statement);
    void setPenWidth(const Statement& statement);
    CheckResult check(const Statement& statement);
    CheckResult checkControl(const Statement& statement);
    CheckResult checkState(const Statement& statement);
    CheckResult checkPicture(const Statement& statement);
    CheckResult checkFile(const Statement& statement);
    CheckResult checkMessages(const Statement& statement);
    std::optional<CheckResult> clipboardLeftInTurn();

    // The control a person can reach by that name; hidden work objects are not among them.
    platform::Control& visibleControl(const std::string& name);
    // The picture the person sees as WHICH, or nothing when the clipboard holds no bitmap.
    std::optional<raster::Bitmap> picture(const std::string& which);

    ScriptedPlatform m_platform;
    std::size_t m_misusesSeen = 0;
    Program m_program;
    platform::ShiftState m_held;
};

}  // namespace support
