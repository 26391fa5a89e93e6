#include "model/model_run.h"

#include "model/picture_rules.h"
#include "support/netpbm.h"
#include "support/scenario_values.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace model {

namespace {

const std::set<std::string> ErrorBoxTexts = {"File access error.", "Wrong file format.",
                                             "Unable to open the specified file.", "This is not a valid WBMP file."};
const std::set<std::string> ErrorDisplayTexts = {
    "Cannot open clipboard", "Unsupported clipboard format", "File not found", "Invalid filename",
    "Too many open files",   "File access denied",           "Disk full"};

raster::Bitmap documentOf(TMainForm& form) {
    return support::cropped(form.Boxi.picture, form.ImageRect);
}

}  // namespace

std::string ModelRun::step() {
    std::string failure;
    {
        Before before;
        TMainForm& f = form();
        before.editing = f.Boxi.enabled;
        before.anyHeld = m_left || m_right || m_middle;
        before.width = f.ImageWidth;
        before.height = f.ImageHeight;
        if (before.editing) before.view = documentOf(f);
        before.modified = f.DocumentModified;
        before.caption = f.caption;
        before.fileName = f.SaveDialog.FileName;
        before.messages = platform().messages().size();
        before.dialogs = platform().dialogs().size();
        ++m_actions;
        note("nothing: the chosen action was not possible");
        act();
        failure = check(before);
    }
    if (failure.empty() && form().closed) startSession();
    return failure;
}

std::string ModelRun::check(const Before& before) {
    TMainForm& f = form();
    std::string failure = checkMessages(before);
    if (failure.empty()) failure = checkEnabledStates();
    if (failure.empty()) failure = checkImages();
    if (failure.empty()) failure = checkSavedFiles(before);
    if (failure.empty()) failure = checkFolder();
    if (failure.empty()) failure = checkCommand(before);
    if (!failure.empty()) return failure;
    const support::ScriptedClipboard& clipboard = platform().clipboard();
    if (clipboard.isOpen() || !clipboard.misuses().empty()) return "the clipboard was left open or misused";
    if (f.OpenInProgress) return "OpenInProgress stayed set";
    if (!(m_left || m_right || m_middle) && f.DrawingActive) return "DrawingActive is set with no button held";
    const std::string& panel = f.StatusBar.panels[1];
    if (panel != "" && panel != "Modified") return "status panel 1 reads \"" + panel + "\"";
    if (panel == "Modified" && f.DocumentModified != 1) return "\"Modified\" is shown for an unmodified document";
    if ((f.DocumentHasFile == 0) != (f.caption == " Velmora"))
        return "the caption \"" + f.caption + "\" does not match the file state";
    const HeapUse heap = liveHeap();
    const raster::Bitmap* held = clipboard.heldBitmap();
    const long clipboardBytes = held ? 4L * held->width() * held->height() : 0;
    if (heap.bytes - m_sessionStartHeap.bytes - clipboardBytes > 8L << 20)
        return "the live heap grew by " + std::to_string(heap.bytes - m_sessionStartHeap.bytes) +
               " bytes in one session";
    return {};
}

std::string ModelRun::checkMessages(const Before& before) {
    const std::vector<support::ShownMessage>& messages = platform().messages();
    for (std::size_t i = before.messages; i < messages.size(); ++i) {
        const support::ShownMessage& message = messages[i];
        const bool known = message.kind == support::ShownMessage::Kind::ErrorBox
                               ? ErrorBoxTexts.count(message.text) && message.title == "Error"
                               : ErrorDisplayTexts.count(message.text) || message.text.starts_with("I/O error ");
        if (!known) return "an unknown message was shown: \"" + message.text + "\"";
        ++m_tally.errorsShown;
    }
    return {};
}

std::string ModelRun::checkEnabledStates() {
    TMainForm& f = form();
    const bool editing = f.Boxi.enabled;
    for (platform::Control* control :
         std::initializer_list<platform::Control*>{&f.PiirtoWhite, &f.PiirtoBlack, &f.ColorPaneeli, &f.TaustaWhite})
        if (control->enabled != editing) return control->name + " is not enabled exactly while editing";
    for (platform::Control* control : std::initializer_list<platform::Control*>{&f.Leveys, &f.Korkeus, &f.OKButton})
        if (control->enabled == editing) return control->name + " is not enabled exactly while not editing";
    for (platform::MenuItem* item : {&f.Save, &f.SaveAs, &f.Cut, &f.Copy, &f.Invert, &f.Flip, &f.Mirror})
        if (item->enabled != editing) return item->name + " is not enabled exactly while editing";
    if (f.Paste.enabled && !editing) return "Paste is enabled without a document being edited";
    if (f.ImageWidth < 0 || f.ImageWidth > 96 || f.ImageHeight < 0 || f.ImageHeight > 80)
        return "the size is out of range";
    if (editing && (f.ImageWidth == 0 || f.ImageHeight == 0)) return "editing a document without a size";
    if (f.Paneeli.width() != 6 * f.ImageWidth || f.Paneeli.height() != 6 * f.ImageHeight)
        return "Paneeli is not 6 times the size";
    if (f.ImageRect != platform::Rect{0, 0, f.ImageWidth, f.ImageHeight}) return "ImageRect is not the document's size";
    if (f.ImageWidth > 0 && f.DataSize != (f.ImageWidth + 7) / 8 * f.ImageHeight)
        return "DataSize does not fit the size";
    if (f.ImageData.size() != static_cast<std::size_t>(f.DataSize)) return "ImageData does not hold DataSize elements";
    return {};
}

std::string ModelRun::checkImages() {
    TMainForm& f = form();
    const raster::Bitmap document = documentOf(f);
    if (f.Boxi.enabled) {
        for (int y = 0; y < document.height(); ++y)
            for (int x = 0; x < document.width(); ++x)
                if (document.pixel(x, y) != raster::White && document.pixel(x, y) != raster::Black)
                    return "the document holds a colour other than black and white";
        if (!(m_left || m_right || m_middle)) {
            if (std::string failure = differs("Mappi against the view", document, f.Mappi.picture); !failure.empty())
                return failure;
        }
    }
    const raster::Bitmap& preview = f.PikkuBoxi.picture;
    if (!preview.isEmpty()) {
        if (preview.width() != f.ImageWidth || preview.height() != f.ImageHeight)
            return "the preview is not the document's size";
        if (std::string failure = differs("the preview against the view", document, preview); !failure.empty())
            return failure;
    }
    return {};
}

std::string ModelRun::checkSavedFiles(const Before& before) {
    for (std::size_t i = 0; i < m_saveTargets.size(); ++i) {
        const std::uint64_t print = fingerprint(m_saveTargets[i]);
        if (print == m_targetPrints[i]) continue;
        m_targetPrints[i] = print;
        const Bytes bytes = readBytes(m_saveTargets[i]);
        const std::optional<raster::Bitmap> saved = decodeAccepted(bytes);
        if (!saved) return m_saveTargets[i] + " was written but does not decode: " + refusalFor(bytes);
        if (std::string failure = differs("the saved file against the view at save time", before.view, *saved);
            !failure.empty())
            return failure;
        ++m_tally.savedFiles;
    }
    return {};
}

std::string ModelRun::checkFolder() {
    std::set<std::string> allowed(m_openPaths.begin(), m_openPaths.end());
    allowed.insert(m_saveTargets.begin(), m_saveTargets.end());
    for (const auto& entry : std::filesystem::directory_iterator(m_folder))
        if (!allowed.count(entry.path().string())) return "a stray file was left: " + entry.path().string();
    return {};
}

void ModelRun::takeSnapshot() {
    m_previousSnapshot = m_latestSnapshot;
    m_latestSnapshot = documentOf(form());
}

}  // namespace model
