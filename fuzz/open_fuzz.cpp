#include "app/commands.h"
#include "app/program.h"
#include "support/scripted_platform.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Runs the whole of File > Open on a fresh program whose only file lives in memory. The first input
// byte sets the scene, the rest is the file:
//   bits 0-1: 0 or 1 the file reads normally, 2 it cannot be opened, 3 its first read fails (EIO);
//   bit 2:    the window already holds an edited 13 x 7 document, so Open asks "Save changes?";
//   bit 3:    the person answers Cancel to that question (otherwise No).
// A refused or abandoned Open must leave every part of the window the person sees as it was, with the
// right message; an accepted one must show exactly the file's pixels at the file's size.
namespace {

constexpr const char* FileName = "/memory/pic.wbmp";
constexpr std::size_t MostRead = 964;

[[noreturn]] void failure(const char* what) {
    std::fprintf(stderr, "open_fuzz: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition) failure(what);
}

// The file system: one file, held in a memory file so that the real reading code runs on it.
platform::FileCalls inMemoryFile(std::span<const std::uint8_t> bytes, int mode) {
    platform::FileCalls calls = platform::FileCalls::system();
    calls.open = [bytes, mode](const char* path, int) {
        if (mode == 2 || std::strcmp(path, FileName) != 0) return errno = ENOENT, -1;
        const int fd = ::memfd_create("pic.wbmp", MFD_CLOEXEC);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::lseek(fd, 0, SEEK_SET) != 0)
            failure("no memory file");
        return fd;
    };
    if (mode == 3) calls.read = [](int, void*, size_t) -> ssize_t { return errno = EIO, -1; };
    return calls;
}

// What the file must give, worked out from the format alone: the message of a refusal, or nothing.
struct Expected {
    std::optional<std::string> refusal;
    int width = 0;
    int height = 0;
};

Expected expectedFrom(std::span<const std::uint8_t> file, int mode) {
    if (mode == 2) return {"File access error."};
    if (mode == 3) return {"I/O error 5"};
    const std::span<const std::uint8_t> read = file.first(std::min(file.size(), MostRead));
    auto byte = [&](std::size_t i) { return i < read.size() ? read[i] : std::uint8_t{0}; };
    if (byte(0) != 0 || byte(1) != 0) return {"Wrong file format."};
    const int width = byte(2);
    const int height = byte(3);
    if (width < 1 || width > 96 || height < 1 || height > 80) return {"Unable to open the specified file."};
    if (read.size() != 4 + static_cast<std::size_t>(height * ((width + 7) / 8)))
        return {"This is not a valid WBMP file."};
    return {std::nullopt, width, height};
}

// Everything of the window that a refused Open must leave alone.
struct Window {
    int width, height;
    platform::Rect rect;
    std::string caption, fileName, sizeLabel, widthText, heightText, modifiedPanel;
    int modified, hasFile;
    bool sizeEnabled, saveEnabled, undoEnabled;
    raster::Bitmap view, preview, work, undo1, undo2;
    bool operator==(const Window&) const = default;
};

Window windowOf(const TMainForm& form) {
    return {form.ImageWidth,          form.ImageHeight,       form.ImageRect,        form.caption,
            form.SaveDialog.FileName, form.SizeLabel.caption, form.Leveys.text,      form.Korkeus.text,
            form.StatusBar.panels[1], form.DocumentModified,  form.DocumentHasFile,  form.Leveys.enabled,
            form.Save.enabled,        form.Undo.enabled,      form.Boxi.picture,     form.PikkuBoxi.picture,
            form.Mappi.picture,       form.UndoBoxi1.picture, form.UndoBoxi2.picture};
}

void editADocument(TMainForm& form) {
    form.Leveys.type("13");
    form.Korkeus.type("7");
    commands::click(form, form.OKButton);
    commands::chooseMenuItem(form, form.Invert);
}

void checkRefused(support::ScriptedPlatform& system, const TMainForm& form, const Window& before,
                  const std::optional<std::string>& text) {
    const std::vector<support::ShownMessage> messages = system.takeAllMessages();
    require(text ? messages.size() == 1 && messages[0].text == *text : messages.empty(), "wrong message");
    require(windowOf(form) == before, "a refused or abandoned Open changed the window");
}

void checkAccepted(support::ScriptedPlatform& system, const TMainForm& form, std::span<const std::uint8_t> file,
                   const Expected& expected) {
    require(system.takeAllMessages().empty(), "a message for an accepted file");
    require(form.ImageWidth == expected.width && form.ImageHeight == expected.height, "wrong size");
    require(form.caption == std::string(" Velmora - [") + FileName + "]", "wrong caption");
    require(form.SaveDialog.FileName == FileName && form.DocumentHasFile == 1 && form.DocumentModified == 0,
            "wrong document state");
    const std::string size = std::to_string(expected.width) + " x " + std::to_string(expected.height);
    require(form.SizeLabel.caption == size, "wrong size label");
    require(form.Leveys.text == std::to_string(expected.width) && form.Korkeus.text == std::to_string(expected.height),
            "wrong size boxes");
    require(!form.Leveys.enabled && form.Save.enabled && !form.Undo.enabled, "wrong controls enabled");
    require(form.PikkuBoxi.picture.width() == expected.width && form.PikkuBoxi.picture.height() == expected.height &&
                form.Mappi.picture.width() == expected.width && form.Mappi.picture.height() == expected.height,
            "wrong picture sizes");
    const int rowBytes = (expected.width + 7) / 8;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const std::uint8_t byte = file[4 + static_cast<std::size_t>(y * rowBytes + x / 8)];
            const raster::Color color = (byte >> (7 - x % 8)) & 1 ? raster::White : raster::Black;
            require(form.Boxi.picture.pixel(x, y) == color && form.PikkuBoxi.picture.pixel(x, y) == color &&
                        form.Mappi.picture.pixel(x, y) == color,
                    "a pixel differs from the file");
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int scene = data[0];
    const int mode = scene & 3;
    const bool edited = (scene & 4) != 0;
    const bool cancel = (scene & 8) != 0;
    const std::span<const std::uint8_t> file(data + 1, size - 1);

    support::ScriptedPlatform system(inMemoryFile(file, mode));
    Program program(system.services());
    TMainForm& form = program.MainForm;
    if (edited) editADocument(form);
    const Window before = windowOf(form);
    system.queueOpenDialog(FileName);
    if (edited) system.queuePromptAnswer(cancel ? platform::PromptAnswer::Cancel : platform::PromptAnswer::No);

    commands::chooseMenuItem(form, form.Open);

    const Expected expected = expectedFrom(file, mode);
    const bool abandoned = !expected.refusal && edited && cancel;
    if (expected.refusal || abandoned)
        checkRefused(system, form, before, expected.refusal);
    else
        checkAccepted(system, form, file, expected);
    return 0;
}
