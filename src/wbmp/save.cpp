#include "app/main_form.h"
#include "document/limits.h"
#include "document/size_text.h"
#include "document/window_caption.h"
#include "platform/errors.h"
#include "wbmp/target_name.h"
#include "wbmp/wbmp_format.h"

#include <algorithm>
#include <span>

namespace {

// The document is saved: it belongs to the file written and has nothing left to save.
void finishSave(TMainForm& form, const std::string& target) {
    form.DocumentHasFile = 1;
    form.DocumentModified = 0;
    form.StatusBar.panels[1].clear();
    form.caption = document::windowCaption(target);
}

// While Open runs the save prompt, ImageWidth and ImageHeight already hold the size of the file being
// opened; once the save is done or declined they go back to it.
void handSizeToOpen(TMainForm& form) {
    if (!form.OpenInProgress) return;
    form.ImageWidth = form.OpenedWidth;
    form.ImageHeight = form.OpenedHeight;
}

// The dialog asked about the name as typed; when ".wbmp" was added, the file actually replaced may be
// another one, so the person is asked about that one too.
bool mayReplaceAppendedName(TMainForm& form, const std::string& chosen, const std::string& target) {
    if (target == chosen || !form.services.files.exists(target)) return true;
    return form.services.messages.askYesNo(target + " already exists.\nDo you want to replace it?", "Confirm Save As");
}

}  // namespace

// Packs the document's pixels from the view into ImageData.
void TMainForm::PackImageData() {
    if (OpenInProgress) {
        // The view still shows the current document; its size is what the disabled size boxes show.
        ImageWidth = document::parseSizeText(Leveys.text, document::MaxWidth).value_or(ImageWidth);
        ImageHeight = document::parseSizeText(Korkeus.text, document::MaxHeight).value_or(ImageHeight);
    }
    const std::vector<std::uint8_t> bytes = wbmp::packRows(Boxi.picture, ImageWidth, ImageHeight);
    ImageData.assign(bytes.begin(), bytes.end());
}

void TMainForm::WriteWbmpFile(const std::string& path) {
    const std::size_t count = std::min(ImageData.size(), static_cast<std::size_t>(std::max(DataSize, 0)));
    const std::span<const std::int32_t> data(ImageData.data(), count);
    services.files.writeFileSafely(path, wbmp::fileBytes(ImageWidth, ImageHeight, data));
}

// File > Save: writes to the document's file without asking, or asks for a name when it has none.
void TMainForm::SaveClick(platform::Object* Sender) {
    PackImageData();
    if (SaveDialog.FileName.empty()) {
        // Save As packs again as its own first step, being a command of its own too; the view has not
        // changed in between, so the bytes are the same.
        SaveAsClick(Sender);
    } else {
        const std::string target = wbmp::targetName(SaveDialog.FileName);
        WriteWbmpFile(target);
        finishSave(*this, target);
    }
    // After Save As this hands the size over a second time, to the same values.
    handSizeToOpen(*this);
}

// File > Save As. A cancelled dialog writes nothing and leaves DocumentModified as it was, which is
// how the save prompt's callers learn that nothing was saved.
void TMainForm::SaveAsClick(platform::Object*) {
    PackImageData();
    const std::optional<std::string> chosen = services.dialogs.runSave(SaveDialog.Options, SaveDialog.FileName);
    if (chosen) {
        const std::string target = wbmp::targetName(*chosen);
        if (mayReplaceAppendedName(*this, *chosen, target)) {
            SaveDialog.FileName = *chosen;
            WriteWbmpFile(target);
            finishSave(*this, target);
        }
    }
    handSizeToOpen(*this);
}
