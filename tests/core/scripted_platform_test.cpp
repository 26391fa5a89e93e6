#include "support/scripted_platform.h"
#include "platform/dispatcher.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using platform::PromptAnswer;
using support::ScriptedPlatform;

namespace {

TEST(ScriptedPlatform, PromptsTakeQueuedAnswersInOrderThenCancel) {
    ScriptedPlatform system;
    system.queuePromptAnswer(PromptAnswer::No);
    system.queuePromptAnswer(PromptAnswer::Yes);
    platform::MessageBoxes& boxes = system.services().messages;
    EXPECT_EQ(boxes.askYesNoCancel("Save changes?", "Information", {1, 2}), PromptAnswer::No);
    EXPECT_EQ(boxes.askYesNoCancel("Save changes?", "Information", {3, 4}), PromptAnswer::Yes);
    EXPECT_EQ(boxes.askYesNoCancel("Save changes?", "Information", {5, 6}), PromptAnswer::Cancel);

    ASSERT_EQ(system.prompts().size(), 3u);
    EXPECT_TRUE(system.prompts()[1].queued);
    EXPECT_FALSE(system.prompts()[2].queued);
    EXPECT_EQ(system.prompts()[2].screenTopLeft, (platform::Point{5, 6}));
    EXPECT_EQ(system.prompts()[0].title, "Information");
}

TEST(ScriptedPlatform, QuestionsAnswerNoUnlessToldOtherwise) {
    ScriptedPlatform system;
    system.queueQuestionAnswer(true);
    EXPECT_TRUE(system.askYesNo("Replace it?", "Confirm"));
    EXPECT_FALSE(system.askYesNo("Replace it?", "Confirm"));
    ASSERT_EQ(system.questions().size(), 2u);
    EXPECT_FALSE(system.questions()[1].queued);
    EXPECT_EQ(system.unusedAnswers(), 0u);
}

TEST(ScriptedPlatform, DialogsAnswerQueuedPathsAndRecordWhatTheyOpenedWith) {
    ScriptedPlatform system;
    system.queueSaveDialog("/tmp/pic");
    system.queueSaveDialog(std::nullopt);
    system.queueOpenDialog("/tmp/in.wbmp");
    platform::FileDialogs& dialogs = system.services().dialogs;
    const platform::FileDialogOptions options{"Wireless Bitmap (*.wbmp)|*.wbmp", true, true, true};
    EXPECT_EQ(dialogs.runSave(options, "old"), "/tmp/pic");
    EXPECT_EQ(dialogs.runSave(options, "/tmp/pic"), std::nullopt);
    EXPECT_EQ(dialogs.runSave(options, ""), std::nullopt);
    EXPECT_EQ(dialogs.runOpen(options, ""), "/tmp/in.wbmp");

    const auto& runs = system.dialogs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].fileName, "old");
    EXPECT_TRUE(runs[1].queued);
    EXPECT_FALSE(runs[2].queued);
    EXPECT_EQ(runs[3].kind, support::DialogRun::Kind::Open);
    EXPECT_TRUE(runs[0].options.overwritePrompt);
}

TEST(ScriptedPlatform, MessagesAreTakenOldestFirst) {
    ScriptedPlatform system;
    system.services().messages.showError("Wrong file format.", "Error");
    system.services().errors.showException("Disk full");
    system.services().errors.showException("Cannot open clipboard");

    const auto first = system.takeMessage();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "Wrong file format.");
    EXPECT_EQ(first->kind, support::ShownMessage::Kind::ErrorBox);
    const auto rest = system.takeAllMessages();
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[1].text, "Cannot open clipboard");
    EXPECT_FALSE(system.takeMessage());
    EXPECT_EQ(system.messages().size(), 3u);
}

TEST(Dispatch, ShowsWhatAHandlerThrowsAndLetsNothingEscape) {
    ScriptedPlatform system;
    platform::ErrorDisplay& errors = system.services().errors;
    EXPECT_FALSE(platform::dispatch(errors, [] { throw platform::Abort(); }));
    EXPECT_FALSE(platform::dispatch(errors, [] { throw 42; }));
    EXPECT_TRUE(platform::dispatch(errors, [] {}));
    const auto shown = system.takeAllMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Unexpected error");
}

TEST(ScriptedPlatform, ModalFormIsShownAndClosedWithOk) {
    struct CountingForm : platform::Form, platform::FormInput {
        int shows = 0;
        void FormShow() override { ++shows; }
        platform::Form& form() override { return *this; }
        void click(platform::Control&) override {}
        void step(platform::UpDown&, int) override {}
        void type(platform::EditBox&, const std::string&) override {}
    } dialog, other;
    ScriptedPlatform system;
    system.services().modal.showModal(dialog);
    system.services().modal.showModal(dialog);
    EXPECT_EQ(dialog.shows, 2);
    EXPECT_EQ(dialog.modalResult, platform::ModalResult::Ok);
    EXPECT_EQ(system.showingsOf(dialog), 2);
    EXPECT_EQ(system.showingsOf(other), 0);
}

TEST(ScriptedPlatform, FrameAndHelpViewer) {
    ScriptedPlatform system;
    system.setFrame({800, 600}, {10, 40});
    EXPECT_EQ(system.services().frame.outerSize(), (platform::Size{800, 600}));
    EXPECT_EQ(system.services().frame.clientToScreen({270, 170}), (platform::Point{280, 210}));
    system.services().help.showContext("Help.hlp", 1);
    ASSERT_EQ(system.helpRequests().size(), 1u);
    EXPECT_EQ(system.helpRequests()[0].file, "Help.hlp");
    EXPECT_EQ(system.helpRequests()[0].context, 1);
}

TEST(ScriptedClipboard, LockedClipboardCannotBeOpened) {
    support::ScriptedClipboard clipboard;
    clipboard.lock();
    try {
        clipboard.open();
        FAIL() << "open succeeded on a locked clipboard";
    } catch (const platform::Error& error) {
        EXPECT_STREQ(error.what(), "Cannot open clipboard");
    }
    EXPECT_FALSE(clipboard.isOpen());
    clipboard.unlock();
    clipboard.open();
    EXPECT_TRUE(clipboard.isOpen());
    EXPECT_EQ(clipboard.failedOpens(), 1);
}

TEST(ScriptedClipboard, BitmapIsCroppedToTheAskedSize) {
    support::ScriptedClipboard clipboard;
    raster::Bitmap big(200, 100);
    big.setPixel(95, 79, raster::Black);
    big.setPixel(96, 0, raster::Black);
    clipboard.putImage(big);
    EXPECT_TRUE(clipboard.hasBitmap());
    clipboard.open();
    const std::optional<raster::Bitmap> part = clipboard.bitmap(96, 80);
    clipboard.close();
    ASSERT_TRUE(part);
    EXPECT_EQ(part->width(), 96);
    EXPECT_EQ(part->height(), 80);
    EXPECT_EQ(part->pixel(95, 79), raster::Black);
    EXPECT_EQ(*clipboard.heldBitmap(), big);
    EXPECT_TRUE(clipboard.misuses().empty());
}

TEST(ScriptedClipboard, TextAndUndeliverableBitmaps) {
    support::ScriptedClipboard clipboard;
    clipboard.putText("hello");
    EXPECT_FALSE(clipboard.hasBitmap());
    clipboard.offerUndeliverableBitmap();
    EXPECT_TRUE(clipboard.hasBitmap());
    clipboard.open();
    EXPECT_FALSE(clipboard.bitmap(96, 80));
    clipboard.empty();
    clipboard.close();
    EXPECT_FALSE(clipboard.hasBitmap());
    EXPECT_TRUE(clipboard.isEmpty());
}

TEST(ScriptedClipboard, CallsWhileClosedAreNoted) {
    support::ScriptedClipboard clipboard;
    clipboard.putBitmap(raster::Bitmap(2, 2));
    clipboard.empty();
    clipboard.close();
    EXPECT_EQ(clipboard.misuses().size(), 3u);
}

}  // namespace
