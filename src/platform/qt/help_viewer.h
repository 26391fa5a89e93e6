#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>

#include <optional>

namespace platform::qt {

// Where a help file name and a context number lead: the page of that topic in the help that ships
// with the program. The installed copy (share/velmora/<name>/ beside bin/) comes first, so that it
// can be read and corrected without a rebuild; the copy compiled into the program is the fallback.
std::optional<QUrl> helpTopicUrl(const std::string& helpFile, int context, const QStringList& searchRoots);

// The default roots: the installed copy, then the compiled-in resources.
QStringList defaultHelpRoots();

// Where a help window of the given frame size goes: beside the editor's frame where the screen has
// room, otherwise where it covers the least of the editor, and always wholly inside the screen.
QRect helpWindowPlace(const QRect& editorFrame, QSize helpFrame, const QRect& screen);

// Shows help topics in one help window of its own that never blocks the editor. It is a top-level
// window with no parent, so window systems neither keep it above the editor nor hand the keyboard
// between the two as they do for a dialog; the viewer owns it and deletes it with itself. Unlike the
// fixed windows it keeps the window system's own title bar everywhere, Qt's on a Wayland compositor
// that draws none: it can be resized and maximised, which is what that bar offers.
class QtHelpViewer : public platform::HelpViewer {
public:
    QtHelpViewer() = default;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;
    ~QtHelpViewer() override;
    void setOwner(QWidget* owner) { m_owner = owner; }
    void setSearchRoots(QStringList roots) { m_roots = std::move(roots); }

    void showContext(const std::string& helpFile, int context) override;

    QTextBrowser* window() const { return m_window; }

private:
    void placeBesideOwner();

    QPointer<QWidget> m_owner;
    QPointer<QTextBrowser> m_window;
    QStringList m_roots = defaultHelpRoots();
};

}  // namespace platform::qt
