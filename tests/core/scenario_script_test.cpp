#include "support/scenario_session.h"
#include "support/scenario_values.h"
#include "support/script.h"

#include <gtest/gtest.h>

using support::readScript;
using support::splitTokens;
using Strings = std::vector<std::string>;

namespace {

TEST(ScriptTokens, QuotedTokensHoldBlanksAndMayBeEmpty) {
    EXPECT_EQ(splitTokens("expect  caption \" Velmora - [a b]\"").tokens,
              (Strings{"expect", "caption", " Velmora - [a b]"}));
    EXPECT_EQ(splitTokens("expect text StatusBar.1 \"\"\t").tokens, (Strings{"expect", "text", "StatusBar.1", ""}));
    EXPECT_EQ(splitTokens("expect text PW #").tokens, (Strings{"expect", "text", "PW", "#"}));
}

TEST(ScriptTokens, QuotesThatCannotBeReadAreErrors) {
    EXPECT_FALSE(splitTokens("expect caption \" Velmora").error.empty());
    EXPECT_FALSE(splitTokens("expect caption ab\"c\"").error.empty());
    EXPECT_FALSE(splitTokens("expect caption \"a\"b").error.empty());
    EXPECT_TRUE(splitTokens("expect caption \"a\" b").error.empty());
}

TEST(ScriptTokens, VariablesExpandOnceAnywhereInAToken) {
    EXPECT_EQ(support::expandVariables("$DIR/a/$HERE/$DIRx", "/t", "/s"), "/t/a//s//tx");
    // A directory whose name holds "$HERE" is not expanded a second time.
    EXPECT_EQ(support::expandVariables("$DIR/p", "/t/$HERE", "/s"), "/t/$HERE/p");
    EXPECT_EQ(support::expandVariables("$DI", "/t", "/s"), "$DI");
}

TEST(ScriptReader, SkipsCommentsAndBlankLinesKeepingLineNumbers) {
    const auto statements =
        readScript("# heading\n\n  # indented comment\r\nclick OKButton\r\n   \nfile $DIR/x 01\n", "/t", "/s");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0].line, 4);
    EXPECT_EQ(statements[0].tokens, (Strings{"click", "OKButton"}));
    EXPECT_EQ(statements[1].line, 6);
    EXPECT_EQ(statements[1].tokens, (Strings{"file", "/t/x", "01"}));
    EXPECT_EQ(statements[1].source, "file $DIR/x 01");
}

TEST(ScriptReader, RowsBlockTakesLinesStartingWithHashUpToABlankLine) {
    const auto statements =
        readScript("expect rows view\n#.\n  ##  \n\n# a comment again\nexpect rows preview\n.#", "", "");
    ASSERT_EQ(statements.size(), 2u);
    ASSERT_EQ(statements[0].rows.size(), 2u);
    EXPECT_EQ(statements[0].rows[0].text, "#.");
    EXPECT_EQ(statements[0].rows[1].text, "##");
    EXPECT_EQ(statements[0].rows[1].line, 3);
    // The end of the file ends a block too.
    ASSERT_EQ(statements[1].rows.size(), 1u);
    EXPECT_EQ(statements[1].line, 6);
}

TEST(ScriptReader, AnUnreadableLineIsKeptWithItsError) {
    const auto statements = readScript("click OKButton\ntype Leveys \"10\n", "", "");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_TRUE(statements[0].error.empty());
    EXPECT_FALSE(statements[1].error.empty());
}

TEST(ScriptValues, DragLineVisitsEveryPixelFromStartToEnd) {
    using P = platform::Point;
    EXPECT_EQ(support::linePixels({2, 2}, {2, 2}), (std::vector<P>{{2, 2}}));
    EXPECT_EQ(support::linePixels({0, 0}, {3, 1}), (std::vector<P>{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(support::linePixels({1, 3}, {0, 0}), (std::vector<P>{{1, 3}, {1, 2}, {0, 1}, {0, 0}}));
}

TEST(ScriptValues, TokensThatAreNotValuesAreScriptErrors) {
    EXPECT_EQ(support::parseInteger("-12"), -12);
    EXPECT_THROW(support::parseInteger("12px"), support::ScriptError);
    EXPECT_THROW(support::parseInteger(""), support::ScriptError);
    EXPECT_EQ(support::parseHexBytes({"file", "x", "0a", "FF"}, 2), (std::vector<std::uint8_t>{0x0A, 0xFF}));
    EXPECT_THROW(support::parseHexBytes({"A"}, 0), support::ScriptError);
    EXPECT_THROW(support::parseHexBytes({"0G"}, 0), support::ScriptError);
    EXPECT_THROW(support::parseHexBytes({"100"}, 0), support::ScriptError);
    EXPECT_TRUE(support::parseYesNo("Yes"));
    EXPECT_THROW(support::parseYesNo("true"), support::ScriptError);
}

TEST(ScriptValues, ShortcutNames) {
    for (const char* key : {"Ctrl+N", "F1", "F12", "Ctrl+Shift+Z", "Alt+F4"})
        EXPECT_TRUE(support::isShortcutName(key)) << key;
    for (const char* key : {"ctrl+n", "Ctrl+", "F13", "F0", "Ctrl+NN", "Control+N", ""})
        EXPECT_FALSE(support::isShortcutName(key)) << key;
}

TEST(ScriptValues, CroppedKeepsOnlyTheAreaInsideThePicture) {
    raster::Bitmap picture(4, 3);
    picture.setPixel(1, 1, raster::Black);
    const raster::Bitmap part = support::cropped(picture, {0, 0, 2, 5});
    EXPECT_EQ(part.width(), 2);
    EXPECT_EQ(part.height(), 3);
    EXPECT_EQ(part.pixel(1, 1), raster::Black);
    EXPECT_TRUE(support::cropped(picture, {0, 0, 0, 0}).isEmpty());
}

}  // namespace
