#include "app/commands.h"
#include "support/editor.h"

#include <gtest/gtest.h>

// What the scenario scripts cannot see: where the save prompt stands and where the keyboard focus goes.
namespace {

using support::Editor;

}  // namespace

TEST(SavePrompt, StandsAtTheWindowsMiddleLessOneHundredThirtyAndAsksAnInformationQuestion) {
    Editor editor;
    editor.system.setFrame({737, 565}, {100, 40});
    editor.startDocument("4", "4");
    commands::chooseMenuItem(editor.form, editor.form.Invert);
    editor.system.queuePromptAnswer(platform::PromptAnswer::Cancel);
    commands::chooseMenuItem(editor.form, editor.form.New);

    ASSERT_EQ(editor.system.prompts().size(), 1u);
    const support::ShownPrompt& prompt = editor.system.prompts()[0];
    EXPECT_EQ(prompt.text, "Save changes?");
    EXPECT_EQ(prompt.title, "Information");
    // Half of 737 rounds down to 368 and half of 565 to 282.
    EXPECT_EQ(prompt.screenTopLeft, (platform::Point{100 + 368 - 130, 40 + 282 - 130}));
}

TEST(SizeEntryFocus, GoesToTheWidthBoxOnARejectedSizeAndOnNewButNotOnOpen) {
    Editor editor;
    editor.startDocument("07", "5");
    EXPECT_EQ(editor.form.focusTarget, &editor.form.Leveys);
    EXPECT_EQ(editor.form.focusRequests, 1);

    editor.startDocument("5", "5");
    editor.form.focusTarget = nullptr;
    commands::chooseMenuItem(editor.form, editor.form.New);
    EXPECT_EQ(editor.form.focusTarget, &editor.form.Leveys);
    EXPECT_EQ(editor.form.focusRequests, 2);

    // Open discards the document through New as well, but leaves the focus alone.
    commands::click(editor.form, editor.form.OKButton);
    editor.form.Boxi.picture.setPixel(0, 0, raster::Black);
    editor.system.queueSaveDialog(testing::TempDir() + "velmora-focus.wbmp");
    commands::chooseMenuItem(editor.form, editor.form.SaveAs);
    commands::chooseMenuItem(editor.form, editor.form.New);
    const int before = editor.form.focusRequests;
    commands::click(editor.form, editor.form.OKButton);
    editor.system.queueOpenDialog(testing::TempDir() + "velmora-focus.wbmp");
    commands::chooseMenuItem(editor.form, editor.form.Open);
    EXPECT_TRUE(editor.system.takeAllMessages().empty());
    EXPECT_EQ(editor.form.ImageWidth, 5);
    EXPECT_EQ(editor.form.Boxi.picture.pixel(0, 0), raster::Black);
    EXPECT_EQ(editor.form.focusRequests, before);
}

TEST(OpenHandover, AFailedSaveAtThePromptGivesTheOldSizeBackAndClearsTheFlag) {
    Editor editor;
    editor.startDocument("10", "2");
    const std::string path = testing::TempDir() + "velmora-handover.wbmp";
    editor.system.queueSaveDialog(path);
    commands::chooseMenuItem(editor.form, editor.form.SaveAs);
    commands::chooseMenuItem(editor.form, editor.form.Invert);
    // The file being opened is the document's own file written under another spelling of its name, so
    // it exists and passes every check; the save at the prompt then fails into a missing folder.
    editor.form.SaveDialog.FileName = testing::TempDir() + "missing-folder/pic";
    editor.system.queuePromptAnswer(platform::PromptAnswer::Yes);
    editor.system.queueOpenDialog(path);
    commands::chooseMenuItem(editor.form, editor.form.Open);

    EXPECT_EQ(editor.system.takeMessage()->text, "File not found");
    EXPECT_FALSE(editor.form.OpenInProgress);
    EXPECT_EQ(editor.form.ImageWidth, 10);
    EXPECT_EQ(editor.form.ImageHeight, 2);
    EXPECT_EQ(editor.form.ImageRect, (platform::Rect{0, 0, 10, 2}));
    EXPECT_EQ(editor.form.DocumentModified, 1);
}
