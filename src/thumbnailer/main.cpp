#include "platform/errors.h"
#include "platform/posix_file_system.h"
#include "thumbnailer/thumbnail.h"
#include "wbmp/wbmp_format.h"
#include "wbmp/wbmp_reader.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// velmora-thumbnailer -s SIZE INPUT OUTPUT: the thumbnail a file manager shows for a .wbmp file. It
// runs in the file manager's sandbox, where there is no display and only INPUT can be read, so it
// uses the editor's reader and file access and nothing of Qt. A file the editor would refuse gets no
// thumbnail: the file manager then shows its plain icon.
namespace {

// GNOME asks for at most 1024; the bound keeps a mistaken size from asking for a gigantic PNG.
constexpr int LargestSize = 4096;

struct Arguments {
    int size = 0;
    std::string input;
    std::string output;
};

std::optional<int> sizeFrom(const char* text) {
    int size = 0;
    if (*text == '\0') return std::nullopt;
    for (const char* digit = text; *digit != '\0'; ++digit) {
        if (*digit < '0' || *digit > '9') return std::nullopt;
        size = size * 10 + (*digit - '0');
        if (size > LargestSize) return std::nullopt;
    }
    if (size == 0) return std::nullopt;
    return size;
}

std::optional<Arguments> argumentsFrom(int count, char* values[]) {
    if (count != 5 || std::strcmp(values[1], "-s") != 0) return std::nullopt;
    const std::optional<int> size = sizeFrom(values[2]);
    if (!size) return std::nullopt;
    return Arguments{*size, values[3], values[4]};
}

struct Refused {
    std::string reason;
};

// The picture exactly as File > Open reads it: the same file access, the same checks in the same order.
raster::Bitmap readPicture(platform::FileSystem& files, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = files.readFile(path, wbmp::MaxFileSize).bytes;
    } catch (const platform::FileSystem::CannotOpen&) {
        throw Refused{"cannot be opened as a file"};
    }
    const wbmp::Check check = wbmp::check(bytes);
    if (check.problem != wbmp::Problem::None) throw Refused{"not a picture the editor opens"};
    return wbmp::decode(std::span(bytes).subspan(wbmp::HeaderSize), check.width, check.height);
}

int fail(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "velmora-thumbnailer: %s: %s\n", path.c_str(), reason.c_str());
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::optional<Arguments> arguments = argumentsFrom(argc, argv);
    if (!arguments) {
        std::fprintf(stderr, "usage: velmora-thumbnailer -s SIZE INPUT OUTPUT  (SIZE 1 to %d)\n", LargestSize);
        return 2;
    }
    // The editor's file access without its flushes to disk: a thumbnail is a cache that the file manager
    // reads at once and copies into its own, and the folder's flush alone took longer than all the rest.
    platform::FileCalls calls = platform::FileCalls::system();
    calls.flush = [](int) { return 0; };
    platform::PosixFileSystem files(std::move(calls));
    raster::Bitmap picture;
    try {
        picture = readPicture(files, arguments->input);
    } catch (const Refused& refused) {
        return fail(arguments->input, refused.reason);
    } catch (const platform::Error& error) {
        return fail(arguments->input, error.what());
    }
    try {
        const int factor = thumbnailer::scaleFactor(picture.width(), picture.height(), arguments->size);
        // A new file renamed into place, so that a failure leaves no partial PNG.
        files.writeFileSafely(arguments->output, thumbnailer::pngBytes(picture, factor));
    } catch (const platform::Error& error) {
        return fail(arguments->output, error.what());
    } catch (const std::bad_alloc&) {
        return fail(arguments->output, "out of memory");
    }
    return 0;
}
