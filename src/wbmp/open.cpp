#include "app/main_form.h"
#include "document/editing_state.h"
#include "document/window_caption.h"
#include "platform/errors.h"
#include "wbmp/wbmp_format.h"
#include "wbmp/wbmp_reader.h"

#include <span>
#include <string>

namespace {

const char* problemText(wbmp::Problem problem) {
    switch (problem) {
        case wbmp::Problem::WrongFormat:
            return "Wrong file format.";
        case wbmp::Problem::BadSize:
            return "Unable to open the specified file.";
        case wbmp::Problem::BadLength:
            return "This is not a valid WBMP file.";
        case wbmp::Problem::None:
            break;
    }
    return "";
}

// Shows a refusal in the error box and ends the command without touching the document.
[[noreturn]] void refuse(TMainForm& form, const std::string& text) {
    form.services.messages.showError(text, "Error");
    throw platform::Abort{};
}

std::vector<std::uint8_t> readChosenFile(TMainForm& form, const std::string& path) {
    try {
        return form.services.files.readFile(path, wbmp::MaxFileSize).bytes;
    } catch (const platform::FileSystem::CannotOpen&) {
        refuse(form, "File access error.");
    }
}

// Moves the document's size on to the file's while New runs the save prompt, and gives the old size
// back unless the handover is completed: a cancelled prompt, a cancelled Save As or a failed save
// leave the current document exactly as it was.
class SizeHandover {
public:
    SizeHandover(TMainForm& form, int width, int height)
        : m_form(form), m_width(form.ImageWidth), m_height(form.ImageHeight), m_rect(form.ImageRect) {
        form.ImageWidth = width;
        form.ImageHeight = height;
        form.ImageRect = {0, 0, width, height};
        form.OpenInProgress = true;
    }
    ~SizeHandover() {
        if (m_done) return;
        m_form.ImageWidth = m_width;
        m_form.ImageHeight = m_height;
        m_form.ImageRect = m_rect;
        m_form.OpenInProgress = false;
    }
    SizeHandover(const SizeHandover&) = delete;
    SizeHandover& operator=(const SizeHandover&) = delete;
    void complete() {
        m_done = true;
        m_form.OpenInProgress = false;
    }

private:
    TMainForm& m_form;
    std::int32_t m_width;
    std::int32_t m_height;
    platform::Rect m_rect;
    bool m_done = false;
};

// Draws the file's picture into the view, the preview and Mappi, each at the top-left corner.
void showPicture(TMainForm& form, const raster::Bitmap& picture) {
    form.Mappi.picture.reset(picture.width(), picture.height());
    form.Mappi.setHeight(picture.height());
    form.Mappi.setWidth(picture.width());
    // InitDocument emptied the preview; like any first drawing on it, this makes it the document's size.
    if (form.PikkuBoxi.picture.isEmpty()) form.PikkuBoxi.picture.reset(form.PikkuBoxi.width(), form.PikkuBoxi.height());
    for (platform::Image* image : {&form.Boxi, &form.PikkuBoxi, &form.Mappi}) image->canvas.draw(0, 0, picture);
}

}  // namespace

// File > Open: the chosen file is opened as any file handed to the program is.
void TMainForm::OpenClick(platform::Object*) {
    OpenedWidth = 0;
    OpenedHeight = 0;
    const std::optional<std::string> chosen = services.dialogs.runOpen(OpenDialog.Options, OpenDialog.FileName);
    if (!chosen) throw platform::Abort{};
    OpenDialog.FileName = *chosen;
    OpenFile(*chosen);
}

// Checks the whole file first, then discards the current document through New and shows the file's
// picture as the new one. The open dialog, the command line and a dropped file all come here.
void TMainForm::OpenFile(const std::string& path) {
    OpenedWidth = 0;
    OpenedHeight = 0;
    if (path == SaveDialog.FileName) throw platform::Abort{};

    const std::vector<std::uint8_t> bytes = readChosenFile(*this, path);
    const wbmp::Check check = wbmp::check(bytes);
    OpenedWidth = check.width;
    OpenedHeight = check.height;
    if (check.problem != wbmp::Problem::None) refuse(*this, problemText(check.problem));

    SizeHandover handover(*this, OpenedWidth, OpenedHeight);
    NewClick(&Open);
    if (DocumentModified != 0) throw platform::Abort{};

    DocumentHasFile = 1;
    caption = document::windowCaption(path);
    const std::span<const std::uint8_t> data = std::span(bytes).subspan(wbmp::HeaderSize);
    showPicture(*this, wbmp::decode(data, OpenedWidth, OpenedHeight));
    TakeUndoSnapshot();
    SizeLabel.caption = std::to_string(ImageWidth) + " x " + std::to_string(ImageHeight);
    document::enableEditing(*this);
    Korkeus.text = std::to_string(OpenedHeight);
    Leveys.text = std::to_string(OpenedWidth);
    SaveDialog.FileName = path;
    handover.complete();
}
