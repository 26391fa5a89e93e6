// Power cuts during a save, on a real ext4 file system. The save is stopped before each of its file
// calls in turn; at that moment the disk is copied as it is (what the loop device has received, not
// what still sits in the page cache), and the copy is mounted, so its journal replays as after a cut,
// and read. Each cut is tried as it comes, after the dirty pages of every file were written back
// without a commit of the journal, and at a write with only half of the new bytes on disk. Whatever
// the cut, the file must hold the old or the new picture, or the old one must be in the copy beside
// it; no temporary file may be left and a second name must still be the same file.
//
// Needs root (losetup, mount) and a free loop device; without them it exits 77, which CTest reports
// as skipped.

#include "platform/errors.h"
#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using platform::FileCalls;

constexpr int Skipped = 77;
constexpr int CutDone = 3;
constexpr int NeverCut = 4;

int run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

std::string firstLineOf(const std::string& command) {
    std::string line;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof buffer, pipe)) line = buffer;
        ::pclose(pipe);
    }
    while (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
}

Bytes picture(std::uint8_t width, std::uint8_t height, std::uint8_t fill) {
    Bytes bytes{0, 0, width, height};
    bytes.resize(4 + static_cast<std::size_t>((width + 7) / 8) * height, fill);
    return bytes;
}

std::optional<Bytes> readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Case {
    const char* name;
    std::optional<Bytes> old;
    Bytes next;
    // A second hard link makes the save write the file in place.
    bool secondName;
};

enum class Kind { AsItIs, WrittenBack, TornWrite };

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::AsItIs:
            return "as it is";
        case Kind::WrittenBack:
            return "after writeback";
        case Kind::TornWrite:
            return "torn write";
    }
    return "";
}

// The file system under test: an image file on a loop device, mounted in a folder of its own.
class Disk {
public:
    explicit Disk(const fs::path& work) : m_work(work) {}
    ~Disk() {
        if (m_mounted) run("umount " + mountPoint().string());
        if (!m_device.empty()) run("losetup -d " + m_device);
    }
    Disk(const Disk&) = delete;
    Disk& operator=(const Disk&) = delete;

    enum class Setup { Ready, NoLoopDevice, Failed };

    Setup attach() {
        std::ofstream(image()).close();
        fs::resize_file(image(), 16 << 20);
        if (run("mkfs.ext4 -q -F -b 4096 -E nodiscard,lazy_itable_init=0,lazy_journal_init=0 " + image().string()) != 0)
            return Setup::Failed;
        m_device = firstLineOf("losetup -f --show " + image().string());
        if (m_device.empty()) return Setup::NoLoopDevice;
        fs::create_directories(mountPoint());
        fs::create_directories(m_work / "cut-mnt");
        m_mounted = run("mount -t ext4 " + m_device + " " + mountPoint().string()) == 0;
        return m_mounted ? Setup::Ready : Setup::Failed;
    }

    fs::path image() const { return m_work / "disk.img"; }
    fs::path mountPoint() const { return m_work / "mnt"; }
    fs::path folder() const { return mountPoint() / "pictures"; }
    fs::path cutImage() const { return m_work / "cut.img"; }
    fs::path cutFolder() const { return m_work / "cut-mnt" / "pictures"; }

    // The old picture, saved long before: on disk with its journal committed.
    void prepare(const Case& test) const {
        fs::remove_all(folder());
        fs::create_directories(folder());
        if (test.old) writeAll(folder() / "pic.wbmp", *test.old);
        if (test.secondName) fs::create_hard_link(folder() / "pic.wbmp", folder() / "other.wbmp");
        const int fd = ::open(mountPoint().c_str(), O_RDONLY | O_DIRECTORY);
        ::syncfs(fd);
        ::close(fd);
    }

    // What the disk held at the moment of the cut: loop devices write to their image file at once, so a
    // copy of the image holds exactly what reached the device.
    void copyAtCut() const { fs::copy_file(image(), cutImage(), fs::copy_options::overwrite_existing); }

    bool mountCut() const {
        return run("mount -t ext4 -o loop " + cutImage().string() + " " + (m_work / "cut-mnt").string()) == 0;
    }
    void unmountCut() const { run("umount " + (m_work / "cut-mnt").string()); }

private:
    fs::path m_work;
    std::string m_device;
    bool m_mounted = false;
};

// Pushes every dirty page of the files of the folder and of the files the process holds open to the
// disk, without committing the journal: the state a flusher thread leaves.
void writeBack(const Disk& disk) {
    struct stat mountInfo {};
    ::stat(disk.mountPoint().c_str(), &mountInfo);
    std::vector<int> open;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        const std::string name = entry.path().filename().string();
        open.push_back(std::stoi(name));
    }
    for (const auto& entry : fs::directory_iterator(disk.folder())) {
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW);
        if (fd >= 0) open.push_back(fd);
    }
    for (const int fd : open) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_dev == mountInfo.st_dev)
            ::sync_file_range(fd, 0, 0,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
    }
}

// Counts the file calls of a save; on a dry run it notes their names, otherwise it cuts the power
// before the chosen one.
class Cutter {
public:
    Cutter(const Disk& disk, std::size_t at, Kind kind) : m_disk(disk), m_at(at), m_kind(kind) {}
    explicit Cutter(const Disk& disk) : m_disk(disk), m_dryRun(true) {}

    // `tear` writes half of what the call would write.
    void before(const char* name, const std::function<void()>& tear = {}) {
        if (m_dryRun) {
            m_names.push_back(name);
            return;
        }
        if (m_count++ == m_at) cut(tear);
    }
    void afterSave() {
        if (!m_dryRun && m_count == m_at) cut({});
    }
    const std::vector<std::string>& names() const { return m_names; }

private:
    [[noreturn]] void cut(const std::function<void()>& tear) {
        if (m_kind == Kind::TornWrite && tear) tear();
        if (m_kind != Kind::AsItIs) writeBack(m_disk);
        m_disk.copyAtCut();
        ::_exit(CutDone);
    }

    const Disk& m_disk;
    std::size_t m_at = 0;
    Kind m_kind = Kind::AsItIs;
    bool m_dryRun = false;
    std::size_t m_count = 0;
    std::vector<std::string> m_names;
};

template <class Result, class... Args>
void watch(std::function<Result(Args...)>& call, const char* name, Cutter& cutter) {
    call = [real = call, name, &cutter](Args... args) -> Result {
        cutter.before(name);
        return real(args...);
    };
}

// The real calls, each announced to the cutter first; the writes can be torn.
FileCalls watchedCalls(Cutter& cutter) {
    FileCalls calls = FileCalls::system();
    watch(calls.makeTemporary, "makeTemporary", cutter);
    watch(calls.flush, "flush", cutter);
    watch(calls.close, "close", cutter);
    watch(calls.rename, "rename", cutter);
    watch(calls.unlink, "unlink", cutter);
    watch(calls.setMode, "setMode", cutter);
    watch(calls.open, "open", cutter);
    watch(calls.read, "read", cutter);
    watch(calls.truncate, "truncate", cutter);
    watch(calls.setOwner, "setOwner", cutter);
    watch(calls.status, "status", cutter);
    watch(calls.linkStatus, "linkStatus", cutter);
    watch(calls.makeUnnamed, "makeUnnamed", cutter);
    watch(calls.nameUnnamed, "nameUnnamed", cutter);
    watch(calls.createNew, "createNew", cutter);
    calls.write = [real = calls.write, &cutter](int fd, const void* data, size_t count) {
        cutter.before("write", [&] { real(fd, data, count / 2); });
        return real(fd, data, count);
    };
    calls.writeAt = [real = calls.writeAt, &cutter](int fd, const void* data, size_t count, off_t at) {
        cutter.before("writeAt", [&] { real(fd, data, count / 2, at); });
        return real(fd, data, count, at);
    };
    return calls;
}

void save(const Disk& disk, const Case& test, Cutter& cutter) {
    try {
        platform::PosixFileSystem(watchedCalls(cutter))
            .writeFileSafely((disk.folder() / "pic.wbmp").string(), test.next);
    } catch (const platform::Error&) {
    }
    cutter.afterSave();
}

// What is wrong with the folder after the cut, or nothing.
std::string fault(const fs::path& folder, const Case& test) {
    const fs::path target = folder / "pic.wbmp";
    const std::optional<Bytes> now = readAll(target);
    bool oldKeptBeside = false;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".velmora-save-")) return "a temporary file was left: " + name;
        if (name != "pic.wbmp" && name != "other.wbmp" && test.old && readAll(entry.path()) == test.old)
            oldKeptBeside = true;
    }
    if (now != test.old && now != test.next && !oldKeptBeside)
        return now ? "the file holds " + std::to_string(now->size()) + " bytes that are neither picture, with no copy"
                   : "the file is gone";
    if (test.secondName) {
        struct stat first {
        }, second{};
        if (::stat(target.c_str(), &first) != 0 || ::stat((folder / "other.wbmp").c_str(), &second) != 0 ||
            first.st_ino != second.st_ino)
            return "the second name was split off";
    }
    return {};
}

struct Tally {
    int tried = 0;
    int passed = 0;
};

// Cuts before every file call of the save, and after it, in each way a cut can find the disk.
void cutEverywhere(Disk& disk, const Case& test, Tally& tally) {
    disk.prepare(test);
    Cutter dryRun(disk);
    save(disk, test, dryRun);
    const std::vector<std::string> names = dryRun.names();
    for (std::size_t at = 0; at <= names.size(); ++at) {
        const bool isWrite = at < names.size() && (names[at] == "write" || names[at] == "writeAt");
        for (const Kind kind : {Kind::AsItIs, Kind::WrittenBack, Kind::TornWrite}) {
            if (kind == Kind::TornWrite && !isWrite) continue;
            disk.prepare(test);
            const pid_t child = ::fork();
            if (child == 0) {
                Cutter cutter(disk, at, kind);
                save(disk, test, cutter);
                ::_exit(NeverCut);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            const std::string where = std::string(test.name) + ", before call " + std::to_string(at) + " (" +
                                      (at < names.size() ? names[at] : "end") + "), " + kindName(kind) + ": ";
            ++tally.tried;
            if (!WIFEXITED(status) || WEXITSTATUS(status) != CutDone) {
                std::cout << where << "the save was not cut\n";
                continue;
            }
            if (!disk.mountCut()) {
                std::cout << where << "the copy of the disk does not mount\n";
                continue;
            }
            const std::string problem = fault(disk.cutFolder(), test);
            disk.unmountCut();
            if (problem.empty())
                ++tally.passed;
            else
                std::cout << where << problem << "\n";
        }
    }
}

}  // namespace

int main() {
    if (::geteuid() != 0) {
        std::cout << "skipped: mounting a disk image needs root\n";
        return Skipped;
    }
    std::string work = (fs::temp_directory_path() / "velmora-cuts-XXXXXX").string();
    if (!::mkdtemp(work.data())) return 1;
    int result = 0;
    {
        Disk disk(work);
        const Disk::Setup setup = disk.attach();
        if (setup == Disk::Setup::NoLoopDevice) {
            std::cout << "skipped: no loop device could be set up\n";
            result = Skipped;
        } else if (setup == Disk::Setup::Failed) {
            std::cout << "an ext4 image could not be made or mounted\n";
            result = 1;
        } else {
            const Bytes large = picture(96, 80, 0x5A);
            const Bytes small = picture(1, 1, 0x80);
            const Bytes otherLarge = picture(96, 80, 0xC3);
            const Case cases[] = {
                {"in place, shorter", large, small, true},          {"in place, longer", small, large, true},
                {"in place, same length", large, otherLarge, true}, {"replaced", large, small, false},
                {"new file", std::nullopt, small, false},
            };
            Tally tally;
            for (const Case& test : cases) cutEverywhere(disk, test, tally);
            std::cout << tally.passed << " of " << tally.tried << " cuts kept the picture\n";
            result = tally.passed == tally.tried ? 0 : 1;
        }
    }
    fs::remove_all(work);
    return result;
}
