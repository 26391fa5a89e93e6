#include "app/commands.h"
#include "app/program.h"
#include "support/scratch_directory.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

// A save that fails part-way, seen from the person's side: the old file is intact, nothing else is
// left in its folder, the classic text is shown and the document still counts as unsaved, also when
// the save was asked for by the prompt of New or of closing the window.
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<char>;

// Which system call breaks, and how. The calls work until `broken` is set.
struct Fault {
    const char* step;
    int error;
    const char* text;
};

platform::FileCalls callsBrokenAt(const Fault& fault, std::shared_ptr<bool> broken) {
    platform::FileCalls calls = platform::FileCalls::system();
    const std::string step = fault.step;
    const int error = fault.error;
    auto fails = [broken, error] { return *broken ? (errno = error, true) : false; };
    if (step == "create")
        calls.makeUnnamed = [fails, real = calls.makeUnnamed](const char* folder, mode_t mode) {
            return fails() ? -1 : real(folder, mode);
        };
    if (step == "write")
        calls.write = [fails, real = calls.write](int fd, const void* data, size_t count) -> ssize_t {
            return fails() ? -1 : real(fd, data, count);
        };
    if (step == "flush") calls.flush = [fails, real = calls.flush](int fd) { return fails() ? -1 : real(fd); };
    if (step == "rename")
        calls.rename = [fails, real = calls.rename](const char* from, const char* to) {
            return fails() ? -1 : real(from, to);
        };
    return calls;
}

class SaveFaults : public ::testing::TestWithParam<Fault> {
protected:
    void SetUp() override {
        m_system = std::make_unique<support::ScriptedPlatform>(callsBrokenAt(GetParam(), m_broken));
        m_program = std::make_unique<Program>(m_system->services());
    }

    TMainForm& form() { return m_program->MainForm; }
    std::string target() const { return (m_dir / "pic.wbmp").string(); }

    Bytes fileBytes() const {
        std::ifstream in(target(), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A 9 x 2 picture saved once, then changed, with the disk failing from now on.
    void savedThenChanged() {
        form().Leveys.type("9");
        form().Korkeus.type("2");
        commands::click(form(), form().OKButton);
        m_system->queueSaveDialog(target());
        commands::chooseMenuItem(form(), form().SaveAs);
        ASSERT_EQ(form().DocumentModified, 0);
        commands::chooseMenuItem(form(), form().Invert);
        *m_broken = true;
    }

    void expectUnsavedAndFileIntact(const Bytes& before) {
        const std::optional<support::ShownMessage> message = m_system->takeMessage();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->text, GetParam().text);
        EXPECT_EQ(form().DocumentModified, 1);
        EXPECT_EQ(form().StatusBar.panels[1], "Modified");
        EXPECT_EQ(form().caption, " Velmora - [" + target() + "]");
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    }

    support::ScratchDirectory m_scratch;
    fs::path m_dir{m_scratch.path()};
    std::shared_ptr<bool> m_broken = std::make_shared<bool>(false);
    std::unique_ptr<support::ScriptedPlatform> m_system;
    std::unique_ptr<Program> m_program;
};

TEST_P(SaveFaults, SaveKeepsTheOldFileAndTheDocumentUnsaved) {
    savedThenChanged();
    const Bytes before = fileBytes();
    commands::pressShortcut(form(), "Ctrl+S");
    expectUnsavedAndFileIntact(before);
}

TEST_P(SaveFaults, NewAndCloseGoNoFurtherWhenTheirSaveFails) {
    savedThenChanged();
    const Bytes before = fileBytes();
    m_system->queuePromptAnswer(platform::PromptAnswer::Yes);
    commands::pressShortcut(form(), "Ctrl+N");
    expectUnsavedAndFileIntact(before);
    EXPECT_FALSE(form().Leveys.enabled) << "the picture must not be discarded";

    m_system->queuePromptAnswer(platform::PromptAnswer::Yes);
    EXPECT_FALSE(commands::requestClose(form()));
    expectUnsavedAndFileIntact(before);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveFaults,
                         ::testing::Values(Fault{"create", EACCES, "File access denied"},
                                           Fault{"write", ENOSPC, "Disk full"}, Fault{"flush", EIO, "I/O error 5"},
                                           Fault{"rename", EMFILE, "Too many open files"}),
                         [](const ::testing::TestParamInfo<Fault>& fault) { return std::string(fault.param.step); });

// The system's file-size limit ends a program that writes past it with SIGXFSZ unless the program
// ignores the signal; then the write fails and the person is told. A child process started like the
// program lowers its limit below the size of a 96 x 80 file and saves one.
TEST(SaveUnderAFileSizeLimit, ShowsDiskFullAndTheProgramLivesOn) {
    std::string pattern = (fs::temp_directory_path() / "velmora-limit-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{500, 500};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        support::ScriptedPlatform system;
        Program program(system.services());
        program.MainForm.Leveys.type("96");
        program.MainForm.Korkeus.type("80");
        commands::click(program.MainForm, program.MainForm.OKButton);
        commands::chooseMenuItem(program.MainForm, program.MainForm.Invert);
        system.queueSaveDialog(pattern + "/pic.wbmp");
        commands::chooseMenuItem(program.MainForm, program.MainForm.SaveAs);
        const std::optional<support::ShownMessage> message = system.takeMessage();
        const bool told = message && message->text == "Disk full" && program.MainForm.DocumentModified == 1;
        const bool clean = fs::is_empty(pattern);
        ::_exit(told && clean ? 0 : told ? 2 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::remove_all(pattern);
    ASSERT_FALSE(WIFSIGNALED(status)) << "the program was ended by signal " << WTERMSIG(status);
    EXPECT_NE(WEXITSTATUS(status), 1) << "no \"Disk full\" with the document left unsaved";
    EXPECT_NE(WEXITSTATUS(status), 2) << "something was left in the folder";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
