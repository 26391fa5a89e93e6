#include "platform/errors.h"
#include "platform/posix_file_system.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

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

    support::ScratchDirectory m_scratch;
    fs::path m_dir{m_scratch.path()};
};

void failCreate(FileCalls& calls, int error) {
    calls.makeTemporary = [error](char*) { return errno = error, -1; };
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

TEST_F(FileSystemTest, RefusesToReplaceAReadOnlyFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    writeRaw("locked.wbmp", Bytes{0, 0, 1, 1, 0});
    ::chmod(path("locked.wbmp").c_str(), 0444);
    PosixFileSystem files;
    try {
        files.writeFileSafely(path("locked.wbmp"), Bytes{0, 0, 1, 1, 0x80});
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const platform::InOutError& failure) {
        EXPECT_STREQ(failure.what(), "File access denied");
    }
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
