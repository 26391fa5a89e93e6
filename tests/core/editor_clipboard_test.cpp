#include "app/commands.h"
#include "support/editor.h"

#include <gtest/gtest.h>

// Clipboard cases the scripts cannot reach: a clipboard that announces a bitmap it then does not
// deliver, one emptied between the menu and the command, and huge pictures.
namespace {

// A clipboard holding a picture too large to exist in memory: it answers only the part asked for and
// notes the size asked, so the test sees that Paste never asks for more than the document.
class HugePictureClipboard : public platform::Clipboard {
public:
    bool hasBitmap() override { return true; }
    void open() override { ++opens; }
    void empty() override {}
    void putBitmap(const raster::Bitmap&) override {}
    std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) override {
        asked = {maxWidth, maxHeight};
        // A checkerboard of the huge picture's top-left corner, with one grey pixel.
        raster::Bitmap part(std::min(maxWidth, 20000), std::min(maxHeight, 20000));
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) part.setPixel(x, y, (x + y) % 2 ? raster::White : 0x101010);
        return part;
    }
    void close() override { ++closes; }

    platform::Size asked;
    int opens = 0;
    int closes = 0;
};

using support::Editor;

void expectClipboardClosedAndUsedInTurn(Editor& editor) {
    EXPECT_FALSE(editor.clipboard.isOpen());
    EXPECT_TRUE(editor.clipboard.misuses().empty()) << editor.clipboard.misuses().front();
}

TEST(PasteFailures, UndeliverableBitmapIsReportedAndChangesNothing) {
    Editor editor;
    editor.startDocument("4", "3");
    editor.drawDot(1, 1);
    const raster::Bitmap before = editor.form.Mappi.picture;
    const int slot = editor.form.UndoSlot;
    editor.clipboard.offerUndeliverableBitmap();

    EXPECT_TRUE(commands::chooseMenuItem(editor.form, editor.form.Paste));

    ASSERT_EQ(editor.system.messages().size(), 1u);
    EXPECT_EQ(editor.system.messages()[0].text, "Unsupported clipboard format");
    EXPECT_EQ(editor.form.Mappi.picture, before);
    EXPECT_EQ(editor.form.PikkuBoxi.picture, before);
    EXPECT_EQ(editor.form.UndoSlot, slot);
    expectClipboardClosedAndUsedInTurn(editor);
}

TEST(PasteWithoutBitmap, ChangesNothingMarksNothingAndTakesNoSnapshot) {
    Editor editor;
    editor.startDocument("4", "3");
    editor.clipboard.putImage(raster::Bitmap(2, 2, raster::Black));
    commands::openMenu(editor.form, editor.form.Editti);
    ASSERT_TRUE(editor.form.Paste.enabled);
    // Another program empties the clipboard after the menu opened and before the item is carried out.
    editor.clipboard.clear();

    editor.form.PasteClick(&editor.form.Paste);

    EXPECT_EQ(editor.form.UndoSlot, 0);
    EXPECT_FALSE(editor.form.Undo.enabled);
    EXPECT_EQ(editor.form.DocumentModified, 0);
    EXPECT_EQ(editor.form.StatusBar.panels[1], "");
    EXPECT_EQ(editor.clipboard.opens(), 0);
}

TEST(PasteOfHugePicture, ReadsOnlyTheDocumentsPartAndReducesIt) {
    support::ScriptedPlatform system;
    HugePictureClipboard huge;
    platform::Services& scripted = system.services();
    platform::Services services{scripted.messages, scripted.errors, scripted.dialogs, huge,
                                scripted.help,     scripted.files,  scripted.frame,   scripted.modal};
    Program program(services);
    TMainForm& form = program.MainForm;
    form.Leveys.type("5");
    form.Korkeus.type("2");
    commands::click(form, form.OKButton);

    commands::chooseMenuItem(form, form.Paste);

    EXPECT_EQ(huge.asked, (platform::Size{5, 2}));
    EXPECT_EQ(huge.opens, 1);
    EXPECT_EQ(huge.closes, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(form.Boxi.picture.pixel(x, y), (x + y) % 2 ? raster::White : raster::Black) << x << ", " << y;
    EXPECT_EQ(form.Boxi.picture.pixel(5, 0), raster::White);
    EXPECT_EQ(form.Mappi.picture, form.PikkuBoxi.picture);
}

TEST(Paste, BeforeAnyDocumentDoesNothing) {
    Editor editor;
    editor.clipboard.putImage(raster::Bitmap(2, 2, raster::Black));
    editor.form.PasteClick(&editor.form.Paste);
    EXPECT_EQ(editor.clipboard.opens(), 0);
    EXPECT_EQ(editor.form.Boxi.picture, raster::Bitmap(96, 80));
    EXPECT_TRUE(editor.system.messages().empty());
}

}  // namespace
