#include "app/arguments.h"

#include <gtest/gtest.h>

using app::Arguments;
using app::parseArguments;
using Action = Arguments::Action;

namespace {

struct Case {
    std::vector<std::string> arguments;
    Action action;
    std::optional<std::string> file;
    std::optional<std::string> sessionId;
};

}  // namespace

TEST(Arguments, TakeOneFileTheSessionManagersIdAndNothingOfQts) {
    const Case cases[] = {
        {{}, Action::Run, {}, {}},
        {{"picture.wbmp"}, Action::Run, "picture.wbmp", {}},
        {{"-"}, Action::Run, "-", {}},
        {{"--", "-style.wbmp"}, Action::Run, "-style.wbmp", {}},
        {{"--", "--help"}, Action::Run, "--help", {}},
        {{"-session", "10d5e2f_1234", "a.wbmp"}, Action::Run, "a.wbmp", "10d5e2f_1234"},
        {{"a.wbmp", "--session", "abc"}, Action::Run, "a.wbmp", "abc"},
        {{"-session", "picture.wbmp"}, Action::Run, {}, "picture.wbmp"},
        {{"--help", "a.wbmp"}, Action::Help, "a.wbmp", {}},
        {{"--version", "--help"}, Action::Help, {}, {}},
        {{"--version"}, Action::Version, {}, {}},
        {{"a.wbmp", "b.wbmp"}, Action::Usage, {}, {}},
        {{"a.wbmp", "--", "b.wbmp"}, Action::Usage, {}, {}},
        {{"-style", "fusion"}, Action::Usage, {}, {}},
        {{"-platform", "offscreen"}, Action::Usage, {}, {}},
        {{"--", "a.wbmp", "--", "b"}, Action::Usage, {}, {}},
        {{"-session"}, Action::Usage, {}, {}},
        {{"-session", ""}, Action::Usage, {}, {}},
        {{""}, Action::Usage, {}, {}},
        {{"-h"}, Action::Usage, {}, {}},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& argument : c.arguments) joined += "'" + argument + "' ";
        SCOPED_TRACE(joined);
        const Arguments parsed = parseArguments(c.arguments);
        EXPECT_EQ(parsed.action, c.action);
        if (c.action == Action::Usage) {
            EXPECT_FALSE(parsed.problem.empty());
            continue;
        }
        EXPECT_EQ(parsed.file, c.file);
        EXPECT_EQ(parsed.sessionId, c.sessionId);
    }
}
