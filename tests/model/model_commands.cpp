#include "model/model_run.h"

#include "model/picture_rules.h"
#include "support/scenario_values.h"

#include <algorithm>
#include <filesystem>

// What each carried-out command must have done to the picture, the clipboard and the two undo
// snapshots, judged against the state before it.
namespace model {

namespace {

raster::Bitmap documentOf(TMainForm& form) {
    return support::cropped(form.Boxi.picture, form.ImageRect);
}

std::string expectPicture(const char* what, const raster::Bitmap& expected, const raster::Bitmap& got) {
    return differs((std::string("the document after ") + what).c_str(), expected, got);
}

bool allWhite(const raster::Bitmap& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != raster::White) return false;
    return true;
}

}  // namespace

std::string ModelRun::checkCommand(const Before& before) {
    TMainForm& f = form();
    if (m_command == "Open" && m_carriedOut) return checkOpen(before);
    if (!m_carriedOut || m_command.empty() || m_command == "Close") return {};
    const raster::Bitmap now = f.Boxi.enabled ? documentOf(f) : raster::Bitmap();
    if (m_command == "Release") {
        takeSnapshot();
        return {};
    }
    if (m_command == "OKButton") {
        if (!f.Boxi.enabled) return {};
        if (!allWhite(now)) return "a new document does not start white";
        m_latestSnapshot = now;
        m_previousSnapshot = now;
        return {};
    }
    if (m_command == "New") {
        if (f.Boxi.enabled) return expectPicture("a New that kept the document", before.view, now);
        if (!allWhite(f.Boxi.picture)) return "New left the view's bitmap not white";
        return {};
    }
    const bool changes = m_command == "Invert" || m_command == "Flip" || m_command == "Mirror" || m_command == "Cut" ||
                         m_command == "Paste" || m_command == "Undo";
    if (before.anyHeld) {
        // A command in the middle of a gesture works on whatever the gesture has drawn so far.
        if (changes) m_latestSnapshot.reset(), m_previousSnapshot.reset();
        return {};
    }
    const bool locked = m_clipboardLockedBefore;
    const support::ScriptedClipboard& clipboard = platform().clipboard();
    raster::Bitmap expected = before.view;
    bool snapshot = true;
    if (m_command == "Invert") {
        expected = inverted(before.view);
    } else if (m_command == "Flip" || m_command == "Mirror") {
        expected = turned(before.view, m_command == "Flip");
    } else if (m_command == "Copy" || m_command == "Cut") {
        if (!locked && (!clipboard.heldBitmap() || *clipboard.heldBitmap() != before.view))
            return m_command + " did not put the document on the clipboard";
        if (m_command == "Copy") return expectPicture("Copy", before.view, now);
        snapshot = !locked;
        if (!locked) expected = raster::Bitmap(before.width, before.height);
    } else if (m_command == "Paste") {
        snapshot = !locked && m_clipboardBefore.has_value();
        if (snapshot) expected = pastedOver(before.view, *m_clipboardBefore);
    } else if (m_command == "Undo") {
        // Undo copies the earlier snapshot over the later one, so not knowing it leaves neither known.
        if (!m_previousSnapshot) {
            m_latestSnapshot.reset();
            return {};
        }
        expected = *m_previousSnapshot;
    } else if (m_command == "ClearClip") {
        if (!locked && !clipboard.isEmpty()) return "Clear Clipboard left something on the clipboard";
        return {};
    } else {
        if (before.editing && f.Boxi.enabled && before.width == f.ImageWidth && before.height == f.ImageHeight)
            return expectPicture(m_command.c_str(), before.view, now);
        return {};
    }
    if (std::string failure = expectPicture(m_command.c_str(), expected, now); !failure.empty()) return failure;
    ++m_tally.checkedCommands;
    if (!snapshot) return {};
    if (m_command == "Paste") ++m_tally.pasted;
    if (m_command == "Undo") ++m_tally.undone;
    if (f.DocumentModified != 1) return m_command + " did not mark the document modified";
    if (m_command == "Undo") {
        m_latestSnapshot = m_previousSnapshot;
        if (f.Undo.enabled) return "Undo stayed enabled";
    } else {
        takeSnapshot();
        if (!f.Undo.enabled) return m_command + " did not enable Undo";
    }
    return {};
}

std::string ModelRun::checkOpen(const Before& before) {
    TMainForm& f = form();
    const std::vector<support::DialogRun>& dialogs = platform().dialogs();
    std::optional<std::string> chosen;
    for (std::size_t i = before.dialogs; i < dialogs.size(); ++i)
        if (dialogs[i].kind == support::DialogRun::Kind::Open) chosen = dialogs[i].result;
    const bool opened = chosen && *chosen != before.fileName && f.SaveDialog.FileName == *chosen &&
                        f.caption == " Velmora - [" + *chosen + "]" && f.Boxi.enabled;
    std::string refusal;
    if (chosen) {
        const auto index = std::find(m_openPaths.begin(), m_openPaths.end(), *chosen) - m_openPaths.begin();
        const std::string missingOrFolder = m_openPaths[static_cast<std::size_t>(index)];
        if (!std::filesystem::is_regular_file(missingOrFolder) && !opened) return {};
        refusal = refusalFor(m_openBytes[static_cast<std::size_t>(index)]);
        if (opened) {
            if (!refusal.empty()) return "Open accepted a file it must refuse with \"" + refusal + "\"";
            const raster::Bitmap expected = *decodeAccepted(m_openBytes[static_cast<std::size_t>(index)]);
            if (std::string failure = expectPicture("Open", expected, documentOf(f)); !failure.empty()) return failure;
            if (f.DocumentModified != 0 || f.DocumentHasFile != 1 || f.Undo.enabled)
                return "after Open the document is not clean, with its file and without Undo";
            if (f.Leveys.text != std::to_string(f.ImageWidth) || f.Korkeus.text != std::to_string(f.ImageHeight))
                return "after Open the size boxes do not show the size";
            m_previousSnapshot.reset();
            m_latestSnapshot = documentOf(f);
            ++m_tally.opened;
            return {};
        }
        if (*chosen != before.fileName && !refusal.empty()) {
            const std::vector<support::ShownMessage>& messages = platform().messages();
            if (messages.size() != before.messages + 1 || messages.back().text != refusal)
                return "Open did not refuse the file with \"" + refusal + "\"";
            ++m_tally.refusedFiles;
        }
    }
    if (before.anyHeld) return {};
    if (f.caption != before.caption || f.DocumentModified != before.modified || f.ImageWidth != before.width ||
        f.ImageHeight != before.height)
        return "an Open that did not complete changed the document's state";
    if (before.editing) return expectPicture("an Open that did not complete", before.view, documentOf(f));
    return {};
}

}  // namespace model
