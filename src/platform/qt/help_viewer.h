#pragma once

#include "platform/services.h"

#include <QPointer>
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

// Shows help topics in one help window that stays open beside the editor and never blocks it.
class QtHelpViewer : public platform::HelpViewer {
public:
    void setOwner(QWidget* owner) { m_owner = owner; }
    void setSearchRoots(QStringList roots) { m_roots = std::move(roots); }

    void showContext(const std::string& helpFile, int context) override;

    QTextBrowser* window() const { return m_window; }

private:
    QPointer<QWidget> m_owner;
    QPointer<QTextBrowser> m_window;
    QStringList m_roots = defaultHelpRoots();
};

}  // namespace platform::qt
