#include "platform/errors.h"
#include "platform/posix_file_system.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;
using platform::FileCalls;
using platform::PosixFileSystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

class FileSystemTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    void writeRaw(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    Bytes readRaw(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The text of the error a write raises when the named step fails with the errno given.
    std::string failedWriteText(void (*breakStep)(FileCalls&, int), int error) {
        FileCalls calls = FileCalls::system();
        breakStep(calls, error);
        PosixFileSystem files(std::move(calls));
        try {
            files.writeFileSafely(path("pic.wbmp"), Bytes{0, 0, 1, 1, 0});
        } catch (const platform::InOutError& failure) {
            return failure.what();
        }
        return "no error";
    }

    struct stat info(const std::string& name) const {
        struct stat result {};
        EXPECT_EQ(::lstat(path(name).c_str(), &result), 0) << name;
        return result;
    }

    std::string saveText(const std::string& name, const Bytes& bytes, FileCalls calls = FileCalls::system()) {
        try {
            PosixFileSystem(std::move(calls)).writeFileSafely(path(name), bytes);
        } catch (const platform::InOutError& failure) {
            return failure.what();
        }
        return "saved";
    }

    // The same, by another user: a child process drops root for good, saves and reports through a pipe.
    std::string saveTextAs(uid_t user, gid_t group, const std::string& name, const Bytes& bytes) {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) return "no pipe";
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            std::string text = "could not become the user";
            if (::setgroups(1, &group) == 0 && ::setgid(group) == 0 && ::setuid(user) == 0)
                text = saveText(name, bytes);
            [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], text.data(), text.size());
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        std::string text;
        char buffer[256];
        for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(got));
        ::close(pipeEnds[0]);
        ::waitpid(child, nullptr, 0);
        return text;
    }

    support::ScratchDirectory m_scratch;
    fs::path m_dir{m_scratch.path()};
};

// Users and a group that exist only as numbers, so the tests need no accounts on the machine.
constexpr uid_t Owner = 64001;
constexpr uid_t Member = 64002;
constexpr gid_t SharedGroup = 64010;

void failCreate(FileCalls& calls, int error) {
    calls.makeUnnamed = [error](const char*, mode_t) { return errno = error, -1; };
}

// A temporary file is made, then its first write fails: the file must not be left behind.
void failWrite(FileCalls& calls, int error) {
    calls.write = [error](int, const void*, size_t) -> ssize_t { return errno = error, -1; };
}

void failFlush(FileCalls& calls, int error) {
    calls.flush = [error](int) { return errno = error, -1; };
}

void failRename(FileCalls& calls, int error) {
    calls.rename = [error](const char*, const char*) { return errno = error, -1; };
}

void failClose(FileCalls& calls, int error) {
    calls.close = [error, real = calls.close](int fd) {
        real(fd);
        return errno = error, -1;
    };
}

}  // namespace

TEST_F(FileSystemTest, WritesANewFileAndLeavesNothingElse) {
    PosixFileSystem files;
    files.writeFileSafely(path("pic.wbmp"), Bytes{0, 0, 1, 1, 0x80});
    EXPECT_EQ(readRaw("pic.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(entries(), std::vector<std::string>{"pic.wbmp"});
    EXPECT_TRUE(files.exists(path("pic.wbmp")));
    EXPECT_FALSE(files.exists(path("other.wbmp")));
}

TEST_F(FileSystemTest, ReplacesAnExistingFileKeepingItsPermissions) {
    writeRaw("pic.wbmp", Bytes(964, 0x55));
    ::chmod(path("pic.wbmp").c_str(), 0600);
    PosixFileSystem files;
    files.writeFileSafely(path("pic.wbmp"), Bytes{0, 0, 1, 1, 0});
    EXPECT_EQ(readRaw("pic.wbmp"), (Bytes{0, 0, 1, 1, 0}));
    struct stat info {};
    ASSERT_EQ(::stat(path("pic.wbmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(entries(), std::vector<std::string>{"pic.wbmp"});
}

TEST_F(FileSystemTest, NewFilesGetTheUsualModeLessTheUmask) {
    const mode_t old = ::umask(027);
    PosixFileSystem().writeFileSafely(path("pic.wbmp"), Bytes{0, 0, 1, 1, 0});
    ::umask(old);
    struct stat info {};
    ASSERT_EQ(::stat(path("pic.wbmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileSystemTest, AFailureAtAnyStepKeepsTheOldFileAndRemovesTheTemporary) {
    struct Step {
        const char* name;
        void (*breakStep)(FileCalls&, int);
        int error;
        const char* text;
    };
    const Step steps[] = {
        {"create", failCreate, EACCES, "File access denied"},
        {"write", failWrite, ENOSPC, "Disk full"},
        {"flush", failFlush, EIO, "I/O error 5"},
        {"close", failClose, EDQUOT, "Disk full"},
        {"rename", failRename, EMFILE, "Too many open files"},
    };
    for (const Step& step : steps) {
        writeRaw("pic.wbmp", Bytes{0, 0, 2, 1, 0x40});
        EXPECT_EQ(failedWriteText(step.breakStep, step.error), step.text) << step.name;
        EXPECT_EQ(readRaw("pic.wbmp"), (Bytes{0, 0, 2, 1, 0x40})) << step.name;
        EXPECT_EQ(entries(), std::vector<std::string>{"pic.wbmp"}) << step.name;
    }
}

TEST_F(FileSystemTest, AWriteThatTakesPiecesStillWritesEverything) {
    FileCalls calls = FileCalls::system();
    calls.write = [real = calls.write](int fd, const void* data, size_t count) {
        return real(fd, data, count > 3 ? 3 : count);
    };
    PosixFileSystem files(std::move(calls));
    const Bytes bytes{0, 0, 10, 2, 0xFF, 0xC0, 0, 0};
    files.writeFileSafely(path("pic.wbmp"), bytes);
    EXPECT_EQ(readRaw("pic.wbmp"), bytes);
}

TEST_F(FileSystemTest, WritingIntoAMissingFolderFailsWithTheClassicText) {
    try {
        PosixFileSystem().writeFileSafely(path("missing/pic.wbmp"), Bytes{0});
        ADD_FAILURE() << "a file was written into a missing folder";
    } catch (const platform::InOutError& failure) {
        EXPECT_STREQ(failure.what(), "File not found");
    }
}

// The folder would let the file be replaced by a rename; the file's own bits refuse it. Root may write
// any file, so as root the owner of both saves.
TEST_F(FileSystemTest, RefusesToReplaceAReadOnlyFile) {
    const bool root = ::geteuid() == 0;
    writeRaw("locked.wbmp", Bytes{0, 0, 1, 1, 0});
    if (root) {
        ASSERT_EQ(::chown(m_dir.c_str(), Owner, SharedGroup), 0);
        ASSERT_EQ(::chown(path("locked.wbmp").c_str(), Owner, SharedGroup), 0);
    }
    ::chmod(path("locked.wbmp").c_str(), 0444);
    const Bytes picture{0, 0, 1, 1, 0x80};
    EXPECT_EQ(root ? saveTextAs(Owner, SharedGroup, "locked.wbmp", picture) : saveText("locked.wbmp", picture),
              "File access denied");
    EXPECT_EQ(readRaw("locked.wbmp"), (Bytes{0, 0, 1, 1, 0}));
}

TEST_F(FileSystemTest, ReadsAtMostTheAskedCount) {
    writeRaw("big.wbmp", Bytes(1000, 7));
    writeRaw("small.wbmp", Bytes{0, 0, 1});
    writeRaw("empty.wbmp", {});
    PosixFileSystem files;
    EXPECT_EQ(files.readFile(path("big.wbmp"), 964).bytes, Bytes(964, 7));
    EXPECT_EQ(files.readFile(path("small.wbmp"), 964).bytes, (Bytes{0, 0, 1}));
    EXPECT_TRUE(files.readFile(path("empty.wbmp"), 964).bytes.empty());
}

TEST_F(FileSystemTest, WhatIsNotARegularFileCannotBeOpened) {
    PosixFileSystem files;
    EXPECT_THROW(files.readFile(path("missing.wbmp"), 964), platform::FileSystem::CannotOpen);
    fs::create_directory(path("folder.wbmp"));
    EXPECT_THROW(files.readFile(path("folder.wbmp"), 964), platform::FileSystem::CannotOpen);
    ASSERT_EQ(::mkfifo(path("pipe.wbmp").c_str(), 0600), 0);
    EXPECT_THROW(files.readFile(path("pipe.wbmp"), 964), platform::FileSystem::CannotOpen);
}

TEST_F(FileSystemTest, AReadFailureIsAnInputOutputError) {
    writeRaw("pic.wbmp", Bytes{0, 0, 1, 1, 0});
    FileCalls calls = FileCalls::system();
    int closes = 0;
    calls.read = [](int, void*, size_t) -> ssize_t { return errno = EIO, -1; };
    calls.close = [&closes, real = calls.close](int fd) { return ++closes, real(fd); };
    PosixFileSystem files(std::move(calls));
    try {
        files.readFile(path("pic.wbmp"), 964);
        ADD_FAILURE() << "the read failure was not reported";
    } catch (const platform::InOutError& failure) {
        EXPECT_STREQ(failure.what(), "I/O error 5");
    }
    EXPECT_EQ(closes, 1);
}

TEST_F(FileSystemTest, ASymbolicLinkIsSavedThroughAndALinkToNothingIsRefused) {
    fs::create_directory(path("elsewhere"));
    fs::create_directory(path("links"));
    writeRaw("elsewhere/real.wbmp", Bytes{0, 0, 1, 1, 0});
    fs::create_symlink("../elsewhere/real.wbmp", path("links/pic.wbmp"));
    EXPECT_EQ(saveText("links/pic.wbmp", Bytes{0, 0, 1, 1, 0x80}), "saved");
    EXPECT_TRUE(S_ISLNK(info("links/pic.wbmp").st_mode));
    EXPECT_EQ(readRaw("elsewhere/real.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(entries(), (std::vector<std::string>{"elsewhere", "links"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(path("elsewhere")), {}), 1);

    fs::create_symlink("nowhere.wbmp", path("links/dangling.wbmp"));
    fs::create_symlink("loop2.wbmp", path("links/loop1.wbmp"));
    fs::create_symlink("loop1.wbmp", path("links/loop2.wbmp"));
    EXPECT_EQ(saveText("links/dangling.wbmp", Bytes{0, 0, 1, 1, 0}), "File not found");
    EXPECT_EQ(saveText("links/loop1.wbmp", Bytes{0, 0, 1, 1, 0}), "Invalid filename");
    for (const char* name : {"links/dangling.wbmp", "links/loop1.wbmp", "links/loop2.wbmp"})
        EXPECT_TRUE(S_ISLNK(info(name).st_mode)) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(path("links")), {}), 4);
}

// The second name must see the new picture; and since the file is then overwritten, a failure at any
// step must put the old bytes back under both names.
TEST_F(FileSystemTest, AFileWithTwoNamesIsWrittenInPlaceAndSurvivesAFailureAtAnyStep) {
    const Bytes old{0, 0, 16, 2, 1, 2, 3, 4};
    writeRaw("pic.wbmp", old);
    fs::create_hard_link(path("pic.wbmp"), path("other.wbmp"));
    const ino_t inode = info("pic.wbmp").st_ino;

    // Each fault strikes once, the first time its call is made: the restore after it must succeed.
    auto once = [](int& calls) { return ++calls == 1; };
    std::map<std::string, FileCalls> faults;
    for (const char* step : {"write", "truncate", "flush"}) faults[step] = FileCalls::system();
    faults["write"].writeAt = [count = 0, once, real = faults["write"].writeAt](int fd, const void* data, size_t size,
                                                                                off_t at) mutable -> ssize_t {
        // A piece of the new picture lands before the disk fails.
        if (once(count)) return real(fd, data, size > 3 ? 3 : size, at);
        if (count == 2) return errno = EIO, -1;
        return real(fd, data, size, at);
    };
    faults["truncate"].truncate = [count = 0, once, real = faults["truncate"].truncate](int fd, off_t length) mutable {
        return once(count) ? (errno = EIO, -1) : real(fd, length);
    };
    faults["flush"].flush = [count = 0, once, real = faults["flush"].flush](int fd) mutable {
        return once(count) ? (errno = ENOSPC, -1) : real(fd);
    };
    for (auto& [step, calls] : faults) {
        EXPECT_EQ(saveText("pic.wbmp", Bytes{0, 0, 1, 1, 0x80}, std::move(calls)),
                  step == "flush" ? "Disk full" : "I/O error 5")
            << step;
        EXPECT_EQ(readRaw("other.wbmp"), old) << step;
        EXPECT_EQ(entries(), (std::vector<std::string>{"other.wbmp", "pic.wbmp"})) << step;
    }

    EXPECT_EQ(saveText("pic.wbmp", Bytes{0, 0, 1, 1, 0x80}), "saved");
    EXPECT_EQ(readRaw("other.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(info("pic.wbmp").st_ino, inode);
    EXPECT_EQ(entries(), (std::vector<std::string>{"other.wbmp", "pic.wbmp"}));
}

TEST_F(FileSystemTest, AReplacedFileKeepsItsOwnerGroupAndSpecialBits) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to other users";
    ::chmod(m_dir.c_str(), 0777);
    writeRaw("tool.wbmp", Bytes{0, 0, 1, 1, 0});
    ASSERT_EQ(::chown(path("tool.wbmp").c_str(), Owner, SharedGroup), 0);
    ::chmod(path("tool.wbmp").c_str(), 04755);
    EXPECT_EQ(saveText("tool.wbmp", Bytes{0, 0, 1, 1, 0x80}), "saved");
    EXPECT_EQ(info("tool.wbmp").st_uid, Owner);
    EXPECT_EQ(info("tool.wbmp").st_gid, SharedGroup);
    EXPECT_EQ(info("tool.wbmp").st_mode & 07777, 04755u);

    // A member of the file's group may write it but not give a new file to its owner.
    writeRaw("shared.wbmp", Bytes{0, 0, 1, 1, 0});
    ASSERT_EQ(::chown(path("shared.wbmp").c_str(), Owner, SharedGroup), 0);
    ::chmod(path("shared.wbmp").c_str(), 0660);
    EXPECT_EQ(saveTextAs(Member, SharedGroup, "shared.wbmp", Bytes{0, 0, 1, 1, 0x80}), "saved");
    EXPECT_EQ(readRaw("shared.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(info("shared.wbmp").st_uid, Owner);
    EXPECT_EQ(info("shared.wbmp").st_mode & 07777, 0660u);
    EXPECT_EQ(entries(), (std::vector<std::string>{"shared.wbmp", "tool.wbmp"}));
}

TEST_F(FileSystemTest, AWritableFileIsSavedWhereItsFolderForbidsReplacingIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as other users";
    ::chmod(m_dir.c_str(), 0755);
    fs::create_directory(path("locked"));
    writeRaw("locked/pic.wbmp", Bytes{0, 0, 1, 1, 0});
    ASSERT_EQ(::chown(path("locked/pic.wbmp").c_str(), Owner, SharedGroup), 0);
    ASSERT_EQ(::chown(path("locked").c_str(), Owner, SharedGroup), 0);
    ::chmod(path("locked").c_str(), 0555);
    EXPECT_EQ(saveTextAs(Owner, SharedGroup, "locked/pic.wbmp", Bytes{0, 0, 1, 1, 0x80}), "saved");
    EXPECT_EQ(readRaw("locked/pic.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));

    // In a sticky folder only a file's owner may replace it; anyone the file lets in may still write it.
    fs::create_directory(path("sticky"));
    ::chmod(path("sticky").c_str(), 01777);
    writeRaw("sticky/pic.wbmp", Bytes{0, 0, 1, 1, 0});
    ::chmod(path("sticky/pic.wbmp").c_str(), 0666);
    EXPECT_EQ(saveTextAs(Member, SharedGroup, "sticky/pic.wbmp", Bytes{0, 0, 1, 1, 0x80}), "saved");
    EXPECT_EQ(readRaw("sticky/pic.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(info("sticky/pic.wbmp").st_uid, 0u);
}

// Until the folder is flushed the rename may not be on disk: a power cut could bring the old picture back.
TEST_F(FileSystemTest, TheFolderIsFlushedAfterTheRenameAndItsFailureIsReported) {
    writeRaw("pic.wbmp", Bytes{0, 0, 1, 1, 0});
    std::vector<std::string> log;
    std::map<int, std::string> opened;
    FileCalls calls = FileCalls::system();
    calls.open = [&, real = calls.open](const char* name, int flags) {
        const int fd = real(name, flags);
        opened[fd] = name;
        log.push_back("open " + std::string(name));
        return fd;
    };
    calls.rename = [&, real = calls.rename](const char* from, const char* to) {
        log.push_back("rename");
        return real(from, to);
    };
    calls.flush = [&, real = calls.flush](int fd) {
        log.push_back("flush " + (opened.count(fd) ? opened[fd] : "temporary"));
        return opened.count(fd) ? (errno = EIO, -1) : real(fd);
    };
    calls.close = [&, real = calls.close](int fd) {
        log.push_back("close " + (opened.count(fd) ? opened[fd] : "temporary"));
        return real(fd);
    };
    EXPECT_EQ(saveText("pic.wbmp", Bytes{0, 0, 1, 1, 0x80}, std::move(calls)), "I/O error 5");
    const std::string folder = m_dir.string();
    EXPECT_EQ(log, (std::vector<std::string>{"flush temporary", "close temporary", "rename", "open " + folder,
                                             "flush " + folder, "close " + folder}));
}

// After a power cut in the middle of an in-place save the old picture must still be somewhere: the
// copy beside the file is on disk, name and all, before the first new byte is written, and goes only
// once the new bytes are. A name already taken is never touched.
TEST_F(FileSystemTest, AnInPlaceSaveKeepsAFlushedCopyOfTheOldBytesBesideTheFileWhileItWrites) {
    const Bytes old{0, 0, 8, 2, 0xF0, 0x0F};
    writeRaw("pic.wbmp", old);
    fs::create_hard_link(path("pic.wbmp"), path("other.wbmp"));
    writeRaw("pic.wbmp~", Bytes{1, 2, 3});
    std::vector<std::string> log;
    std::map<int, std::string> opened;
    Bytes copyWhileWriting;
    FileCalls calls = FileCalls::system();
    calls.createNew = [&, real = calls.createNew](const char* name, mode_t mode) {
        const int fd = real(name, mode);
        if (fd >= 0) opened[fd] = "copy";
        log.push_back("create " + fs::path(name).filename().string());
        return fd;
    };
    calls.open = [&, real = calls.open](const char* name, int flags) {
        const int fd = real(name, flags);
        opened[fd] = (flags & O_DIRECTORY) ? "folder" : "file";
        return fd;
    };
    calls.flush = [&, real = calls.flush](int fd) { return log.push_back("flush " + opened[fd]), real(fd); };
    calls.writeAt = [&, real = calls.writeAt](int fd, const void* data, size_t count, off_t at) {
        log.push_back("write file");
        copyWhileWriting = readRaw("pic.wbmp.before-save-2~");
        return real(fd, data, count, at);
    };
    calls.unlink = [&, real = calls.unlink](const char* name) {
        return log.push_back("remove " + fs::path(name).filename().string()), real(name);
    };
    EXPECT_EQ(saveText("pic.wbmp", Bytes{0, 0, 1, 1, 0x80}, std::move(calls)), "saved");
    EXPECT_EQ(copyWhileWriting, old);
    EXPECT_EQ(log, (std::vector<std::string>{"create pic.wbmp~", "create pic.wbmp.before-save-2~", "flush copy",
                                             "flush folder", "write file", "flush file",
                                             "remove pic.wbmp.before-save-2~", "flush folder"}));
    EXPECT_EQ(readRaw("other.wbmp"), (Bytes{0, 0, 1, 1, 0x80}));
    EXPECT_EQ(readRaw("pic.wbmp~"), (Bytes{1, 2, 3}));
    EXPECT_EQ(entries(), (std::vector<std::string>{"other.wbmp", "pic.wbmp", "pic.wbmp~"}));
}

// A file half written when the power fails must not be left under a name nobody looks for: the new
// file has none until it is complete. Where the file system cannot make a file without a name, a
// hidden one is used as before, and removed or renamed all the same.
TEST_F(FileSystemTest, TheNewFileIsNamedOnlyWhenCompleteOrHiddenWhereTheFileSystemCannotDoThat) {
    for (const bool refused : {false, true}) {
        writeRaw("pic.wbmp", Bytes{0, 0, 1, 1, 0});
        std::vector<std::string> whileWriting;
        FileCalls calls = FileCalls::system();
        calls.write = [&, real = calls.write](int fd, const void* data, size_t count) {
            whileWriting = entries();
            return real(fd, data, count);
        };
        if (refused) calls.makeUnnamed = [](const char*, mode_t) { return errno = EOPNOTSUPP, -1; };
        EXPECT_EQ(saveText("pic.wbmp", Bytes{0, 0, 1, 1, 0x80}, std::move(calls)), "saved") << refused;
        EXPECT_EQ(readRaw("pic.wbmp"), (Bytes{0, 0, 1, 1, 0x80})) << refused;
        EXPECT_EQ(entries(), std::vector<std::string>{"pic.wbmp"}) << refused;
        ASSERT_EQ(whileWriting.size(), refused ? 2u : 1u) << refused;
        EXPECT_EQ(whileWriting[0].starts_with(".velmora-save-"), refused) << whileWriting[0];
    }
}

// Only a name that does not exist makes a new file. One that could not be looked at may be a link, a
// second name or a private file; a new file in its place would undo all of that without a word.
TEST_F(FileSystemTest, AFailureToLookAtTheTargetEndsTheSaveWithNothingWritten) {
    const Bytes old{0, 0, 1, 1, 0};
    writeRaw("pic.wbmp", old);
    ::chmod(path("pic.wbmp").c_str(), 0600);
    fs::create_hard_link(path("pic.wbmp"), path("other.wbmp"));
    for (const bool ofTheLink : {true, false}) {
        FileCalls calls = FileCalls::system();
        (ofTheLink ? calls.linkStatus : calls.status) = [](const char*, struct stat*) { return errno = EIO, -1; };
        EXPECT_EQ(saveText("pic.wbmp", Bytes{0, 0, 1, 1, 0x80}, std::move(calls)), "I/O error 5") << ofTheLink;
        EXPECT_EQ(readRaw("pic.wbmp"), old) << ofTheLink;
        EXPECT_EQ(info("pic.wbmp").st_ino, info("other.wbmp").st_ino) << ofTheLink;
        EXPECT_EQ(info("pic.wbmp").st_mode & 07777, 0600u) << ofTheLink;
        EXPECT_EQ(entries(), (std::vector<std::string>{"other.wbmp", "pic.wbmp"})) << ofTheLink;
    }
}

// A pipe, a socket or a device is no place for a picture, and must not become a plain file behind the
// person's back; a pipe opened for writing would also hold the program until something reads it.
TEST_F(FileSystemTest, SavingOverAnythingButARegularFileIsRefusedAndLeavesItAsItWas) {
    ASSERT_EQ(::mkfifo(path("pipe.wbmp").c_str(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path("socket.wbmp").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("pipe.wbmp", path("link.wbmp"));
    std::map<std::string, mode_t> kinds{{"pipe.wbmp", S_IFIFO}, {"socket.wbmp", S_IFSOCK}, {"link.wbmp", S_IFLNK}};
    // Root may make a device node; a copy of the null device would swallow the picture without a word.
    if (::geteuid() == 0 && ::mknod(path("null.wbmp").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        kinds["null.wbmp"] = S_IFCHR;
    for (const auto& [name, kind] : kinds) {
        EXPECT_EQ(saveText(name, Bytes{0, 0, 1, 1, 0x80}), "File access denied") << name;
        EXPECT_EQ(info(name).st_mode & S_IFMT, kind) << name;
    }
    EXPECT_EQ(entries().size(), kinds.size());
    ::close(listener);
}
