#include "app/commands.h"
#include "app/program.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpContents, AsksForTopicOneOfTheHelpFileInEveryStateOfTheWindow) {
    support::ScriptedPlatform system;
    Program program(system.services());
    TMainForm& form = program.MainForm;

    EXPECT_TRUE(commands::pressShortcut(form, "F1"));
    form.Leveys.type("4");
    form.Korkeus.type("2");
    commands::click(form, form.OKButton);
    EXPECT_TRUE(commands::pressShortcut(form, "F1"));
    commands::chooseMenuItem(form, form.New);
    EXPECT_TRUE(commands::chooseMenuItem(form, form.HelpContents));

    ASSERT_EQ(system.helpRequests().size(), 3u);
    for (const support::HelpRequest& request : system.helpRequests()) {
        EXPECT_EQ(request.file, "Help.hlp");
        EXPECT_EQ(request.context, 1);
    }
    EXPECT_EQ(form.DocumentModified, 0);
}

TEST(AboutVelmora, ShowsTheAboutBoxModallyEachTime) {
    support::ScriptedPlatform system;
    Program program(system.services());
    commands::chooseMenuItem(program.MainForm, program.MainForm.AboutVelmora);
    commands::chooseMenuItem(program.MainForm, program.MainForm.AboutVelmora);
    EXPECT_EQ(system.showingsOf(program.AboutBox), 2);
    EXPECT_EQ(program.AboutBox.clientSize, (platform::Size{218, 203}));
}

}  // namespace
