#pragma once

#include "platform/geometry.h"
#include "platform/raster/bitmap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the program asks of its system besides controls and drawing. The Qt host and the scripted test
// platform each implement these.
namespace platform {

enum class PromptAnswer { Yes, No, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // The information box with Yes, No and Cancel whose top-left corner is at the screen point;
    // Yes is the default button, Escape and the close button answer Cancel.
    virtual PromptAnswer askYesNoCancel(const std::string& text, const std::string& title, Point screenTopLeft) = 0;
    // A question with Yes and No, centred on the screen; answers true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // The error box: error icon, one OK button, centred on the screen.
    virtual void showError(const std::string& text, const std::string& title) = 0;
};

// The application's error display: how an error that ended a command is shown.
class ErrorDisplay {
public:
    virtual ~ErrorDisplay() = default;
    virtual void showException(const std::string& text) = 0;
};

struct FileDialogOptions {
    std::string filter;  // "Wireless Bitmap (*.wbmp)|*.wbmp"
    bool overwritePrompt = false;
    bool hideReadOnly = true;
    bool enableSizing = true;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Both open with fileName filled in and answer the confirmed path, or nothing when cancelled.
    virtual std::optional<std::string> runSave(const FileDialogOptions& options, const std::string& fileName) = 0;
    virtual std::optional<std::string> runOpen(const FileDialogOptions& options, const std::string& fileName) = 0;
};

// The system clipboard. open() raises Error("Cannot open clipboard") when another program holds it.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool hasBitmap() = 0;
    virtual void open() = 0;
    virtual void empty() = 0;
    virtual void putBitmap(const raster::Bitmap& bitmap) = 0;
    // The top-left part of the clipboard's bitmap, at most maxWidth x maxHeight, so that a huge picture
    // costs no more than the part of it that can land in the document. Nothing when no bitmap is there.
    virtual std::optional<raster::Bitmap> bitmap(int maxWidth, int maxHeight) = 0;
    virtual void close() = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows topic `context` of the help file; reports a missing file itself. Does not wait.
    virtual void showContext(const std::string& helpFile, int context) = 0;
};

struct ReadResult {
    std::vector<std::uint8_t> bytes;  // what was read, at most the asked count
};

// File access. Failures raise InOutError with the classic code, except that opening a file for
// reading that cannot be opened raises CannotOpen, which callers turn into their own message.
class FileSystem {
public:
    struct CannotOpen {};
    // The longest picture file (the 4 header bytes and 80 rows of 12 bytes). Open reads no further, so
    // a file overwritten in place needs no more of its old bytes kept to be written back.
    static constexpr std::size_t LongestPictureFile = 964;

    virtual ~FileSystem() = default;
    virtual bool exists(const std::string& path) = 0;
    // Replaces the file at path with bytes without ever destroying it: the bytes go to a temporary
    // file in the same folder, which is flushed, renamed over path, and its folder flushed. A file
    // that cannot be replaced that way without losing a name or its owner is overwritten in place, its
    // old bytes kept to be written back on failure. On failure the old file is intact and no
    // temporary file is left.
    virtual void writeFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
    // One read of at most maxBytes.
    virtual ReadResult readFile(const std::string& path, std::size_t maxBytes) = 0;
};

// The main window's frame as the system places it.
class WindowFrame {
public:
    virtual ~WindowFrame() = default;
    virtual Size outerSize() = 0;
    virtual Point clientToScreen(Point client) = 0;
};

class FormInput;

// Shows a secondary form modally and returns when it has closed.
class ModalHost {
public:
    virtual ~ModalHost() = default;
    virtual void showModal(FormInput& dialog) = 0;
};

// Everything above, handed to the form at creation.
struct Services {
    MessageBoxes& messages;
    ErrorDisplay& errors;
    FileDialogs& dialogs;
    Clipboard& clipboard;
    HelpViewer& help;
    FileSystem& files;
    WindowFrame& frame;
    ModalHost& modal;
};

}  // namespace platform
