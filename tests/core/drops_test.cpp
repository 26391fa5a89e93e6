#include "app/commands.h"
#include "support/editor.h"

#include <gtest/gtest.h>

namespace {

// A drag as the host reports it, counting how often its picture is read.
class Dragged : public platform::DragContent {
public:
    std::vector<std::string> paths;
    bool isAPicture = false;
    int reads = 0;

    std::vector<std::string> files() const override { return paths; }
    bool isPicture() const override { return isAPicture; }
    std::optional<raster::Bitmap> picture(int, int) override {
        ++reads;
        return raster::Bitmap(2, 1, 0xFEFEFE);
    }
};

using support::Editor;

// Which drops the window takes in each state, and that a refused one is never read.
TEST(Drops, APictureLandsWhereAPasteWouldAndAWbmpFileOpensAsOpenWould) {
    Editor editor;
    Dragged picture;
    picture.isAPicture = true;
    Dragged text;
    Dragged wbmp;
    wbmp.paths = {"/nowhere/picture.WBMP"};
    Dragged twoFiles;
    twoFiles.paths = {"a.wbmp", "b.wbmp"};

    EXPECT_FALSE(commands::dragOver(editor.form, picture)) << "no picture to paste into yet";
    EXPECT_TRUE(commands::dragOver(editor.form, wbmp));
    editor.startDocument("4", "2");
    EXPECT_TRUE(commands::dragOver(editor.form, picture));
    EXPECT_FALSE(commands::dragOver(editor.form, text));
    EXPECT_FALSE(commands::dragOver(editor.form, twoFiles));

    commands::drop(editor.form, picture);
    EXPECT_EQ(editor.form.Boxi.picture.pixel(1, 0), raster::Black) << "reduced as a paste is";
    EXPECT_EQ(editor.form.Boxi.picture.pixel(2, 0), raster::White);
    EXPECT_EQ(editor.form.DocumentModified, 1);
    EXPECT_TRUE(editor.form.Undo.enabled);

    editor.form.DocumentModified = 0;
    commands::chooseMenuItem(editor.form, editor.form.New);
    EXPECT_FALSE(commands::dragOver(editor.form, picture)) << "the size boxes wait for a size";
    commands::drop(editor.form, picture);
    EXPECT_EQ(picture.reads, 1);

    commands::drop(editor.form, wbmp);
    ASSERT_EQ(editor.system.messages().size(), 1u);
    EXPECT_EQ(editor.system.messages().front().text, "File access error.");
}

}  // namespace
