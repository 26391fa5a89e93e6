#include "platform/qt/dragged_content.h"
#include "platform/qt/main_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTimer>

// What the desktop hands the window besides a person's input in it: a file at start, and drags.
namespace platform::qt {

namespace {

// The pointer shows a copy where the program takes the drop; a moved file must stay where it is.
void answerDrag(QDropEvent& event, bool taken) {
    if (taken && (event.possibleActions() & Qt::CopyAction)) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else {
        event.ignore();
    }
}

}  // namespace

void MainWindow::openHandedFile(const std::string& path) {
    m_input.openFile(path);
    afterHandler();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const DraggedContent content(*event->mimeData());
    m_dropTaken = m_input.dragOver(content);
    answerDrag(*event, m_dropTaken);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    answerDrag(*event, m_dropTaken);
}

void MainWindow::dropEvent(QDropEvent* event) {
    DraggedContent content(*event->mimeData());
    m_dropTaken = m_input.dragOver(content);
    answerDrag(*event, m_dropTaken);
    if (!event->isAccepted()) return;
    if (content.files().empty()) {
        // A picture's data lasts only as long as the drop.
        m_input.drop(content);
        afterHandler();
        return;
    }
    // A file may bring the "Save changes?" prompt or an error box: the program that dragged it is let
    // go first rather than kept waiting for the answer.
    QTimer::singleShot(0, this, [this, files = content.filesAlone()]() mutable {
        m_input.drop(files);
        afterHandler();
    });
}

}  // namespace platform::qt
