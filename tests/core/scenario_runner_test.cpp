#include "support/scenario_runner.h"
#include "support/scenario_session.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class ScenarioRunner : public testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Runs the scripts and answers the exit status; the output is in `output`.
    int run(const std::vector<std::string>& paths) {
        std::ostringstream out;
        const int status = support::runScenarioFiles(paths, out);
        output = out.str();
        return status;
    }

    support::ScratchDirectory m_scratch;
    fs::path m_dir{m_scratch.path()};
    std::string output;
};

TEST_F(ScenarioRunner, PassingScriptReportsItsCountAndExitsZero) {
    const std::string script =
        write("ok.scn", "# fresh start\nexpect caption \" Velmora\"\n\nexpect state ImageWidth 0\n");
    EXPECT_EQ(run({script}), 0);
    EXPECT_EQ(output, script + ": 2 passed, 0 failed\n");
}

TEST_F(ScenarioRunner, FailedCheckNamesFileLineAndBothValues) {
    const std::string script = write("fail.scn", "expect caption Other\nexpect enabled Save yes\nexpect prompts 0\n");
    EXPECT_EQ(run({script}), 1);
    EXPECT_EQ(output, "FAIL " + script + ":1: caption expected \"Other\", got \" Velmora\"\n" +  //
                          "FAIL " + script + ":2: enabled Save expected yes, got no\n" +         //
                          script + ": 1 passed, 2 failed\n");
}

TEST_F(ScenarioRunner, LineNotUnderstoodStopsTheScriptWithStatusTwo) {
    const std::string script = write("bad.scn", "expect prompts 0\nclik OKButton\nexpect caption Other\n");
    EXPECT_EQ(run({script}), 2);
    EXPECT_EQ(output,
              "ERROR " + script + ":2: unknown action \"clik\": clik OKButton\n" + script + ": 1 passed, 0 failed\n");
}

TEST_F(ScenarioRunner, EveryKindOfUnreadableLineIsRejected) {
    const std::vector<std::string> lines = {
        "expect caption \"open",
        "click NoSuchControl",
        "click Mappi",
        "menu N1",
        "key ctrl+n",
        "answer Maybe",
        "down left 1",
        "down thumb 1 1",
        "penwidth 9",
        "clipboard paste",
        "file x 0",
        "expect state Zoom 1",
        "expect pixel 1 1 grey",
        "expect image elsewhere x.pbm",
        "expect down OKButton yes",
        "expect size Boxi 1",
        "expect closed maybe",
        "clipboard image $DIR/missing.pbm",
        "expect",
        "type OKButton 5",
        "expect rows view\n#x",
    };
    for (const std::string& line : lines) {
        const std::string script = write("bad.scn", line + "\n");
        EXPECT_EQ(run({script}), 2) << line;
        EXPECT_EQ(output.rfind("ERROR " + script + ":1: ", 0), 0u) << output;
    }
}

TEST_F(ScenarioRunner, SeveralScriptsEndWithTotalsAndTheWorstStatus) {
    const std::string good = write("good.scn", "expect closed no\n");
    const std::string failing = write("failing.scn", "expect closed yes\nexpect about 0\n");
    const std::string missing = (m_dir / "missing.scn").string();
    EXPECT_EQ(run({good, failing}), 1);
    EXPECT_TRUE(output.ends_with(failing + ": 1 passed, 1 failed\n2 passed, 1 failed\n")) << output;
    EXPECT_EQ(run({good, missing, failing}), 2);
    EXPECT_NE(output.find("ERROR " + missing + ": cannot read the script\n"), std::string::npos) << output;
}

TEST_F(ScenarioRunner, EachScriptRunsInAFreshDirectoryThatGoesAwayAfterwards) {
    const fs::path before = fs::current_path();
    const std::string script = write("dir.scn",
                                     "expect nofile a.bin\n"
                                     "file $DIR/a.bin 01 ff\n"
                                     "expect file a.bin 01 FF\n"
                                     "file empty.bin\n"
                                     "expect file $DIR/empty.bin\n"
                                     "expect caption $DIR\n");
    EXPECT_EQ(run({script}), 1);
    EXPECT_EQ(fs::current_path(), before);
    const std::string marker = ":6: caption expected \"";
    const std::size_t start = output.find(marker);
    ASSERT_NE(start, std::string::npos) << output;
    const std::string dir =
        output.substr(start + marker.size(), output.find('"', start + marker.size()) - start - marker.size());
    EXPECT_TRUE(fs::path(dir).is_absolute());
    EXPECT_FALSE(fs::exists(dir));
    EXPECT_TRUE(output.ends_with("3 passed, 1 failed\n")) << output;

    // A second run does not see the first one's files.
    const std::string again = write("again.scn", "expect nofile a.bin\n");
    EXPECT_EQ(run({again}), 0);
}

TEST_F(ScenarioRunner, PicturesBesideTheScriptAndRowsStartingWithHash) {
    write("two.pbm", "P1 2 2\n1 0\n0 1\n");
    const std::string script = write("rows.scn",
                                     "clipboard image $HERE/two.pbm\n"
                                     "expect image clipboard $HERE/two.pbm\n"
                                     "expect rows clipboard\n"
                                     "#.\n"
                                     ".#\n"
                                     "\n"
                                     "expect rows clipboard\n"
                                     "##\n"
                                     ".#\n"
                                     "\n"
                                     "expect rows clipboard\n"
                                     "#..\n"
                                     "\n"
                                     "clipboard text \"not a picture\"\n"
                                     "expect rows clipboard\n"
                                     "#\n");
    EXPECT_EQ(run({script}), 1);
    EXPECT_EQ(output, "FAIL " + script + ":7: rows clipboard row 0 expected ##, got #.\n" +  //
                          "FAIL " + script + ":11: rows clipboard size expected 3 x 1, got 2 x 2\n" + "FAIL " + script +
                          ":15: rows clipboard expected 1 x 1, got no bitmap on the clipboard\n" + script +
                          ": 2 passed, 3 failed\n");
}

TEST_F(ScenarioRunner, MessagesAreCheckedOnceOldestFirst) {
    // Clear Clipboard is carried out only while the clipboard holds a bitmap.
    write("dot.pbm", "P1 1 1 1\n");
    const std::string script = write("messages.scn",
                                     "expect nomessage\n"
                                     "clipboard image $HERE/dot.pbm\n"
                                     "clipboard lock\n"
                                     "menu ClearClip\n"
                                     "menu ClearClip\n"
                                     "expect message \"Cannot open clipboard\"\n"
                                     "expect nomessage\n"
                                     "expect nomessage\n"
                                     "expect message \"Cannot open clipboard\"\n");
    EXPECT_EQ(run({script}), 1);
    EXPECT_EQ(output, "FAIL " + script + ":7: nomessage expected no message, got \"Cannot open clipboard\"\n" +
                          "FAIL " + script + ":9: message expected \"Cannot open clipboard\", got no message\n" +
                          script + ": 3 passed, 2 failed\n");
}

// Every action is also a check that the program closed the clipboard again and used it only while open.
TEST(ScenarioSession, AnActionFailsWhenTheClipboardIsLeftOpenOrUsedOutOfTurn) {
    support::ScenarioSession session;
    const support::Statement action{1, "openmenu Editti", {"openmenu", "Editti"}, {}, ""};
    EXPECT_FALSE(session.run(action).has_value());
    session.platform().clipboard().empty();
    const auto outOfTurn = session.run(action);
    ASSERT_TRUE(outOfTurn.has_value());
    EXPECT_FALSE(outOfTurn->passed);
    EXPECT_EQ(outOfTurn->got, session.platform().clipboard().misuses().back());
    session.platform().clipboard().open();
    const auto leftOpen = session.run(action);
    ASSERT_TRUE(leftOpen.has_value());
    EXPECT_EQ(leftOpen->got, "left open");
}

}  // namespace
