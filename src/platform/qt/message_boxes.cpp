#include "platform/qt/message_boxes.h"

#include "platform/qt/convert.h"
#include "platform/qt/fixed_frame.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace platform::qt {

namespace {

void centreOnScreen(QWidget& box) {
    box.adjustSize();
    QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    box.move(screen->availableGeometry().center() - box.rect().center());
}

}  // namespace

platform::PromptAnswer QtMessageBoxes::askYesNoCancel(const std::string& text, const std::string& title,
                                                      platform::Point screenTopLeft) {
    QMessageBox box(QMessageBox::Information, toQString(title), toQString(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setWindowModality(Qt::ApplicationModal);
    FixedFrame::keep(box);
    box.move(screenTopLeft.x, screenTopLeft.y);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return platform::PromptAnswer::Yes;
        case QMessageBox::No:
            return platform::PromptAnswer::No;
        default:
            return platform::PromptAnswer::Cancel;
    }
}

bool QtMessageBoxes::askYesNo(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, toQString(title), toQString(text), QMessageBox::Yes | QMessageBox::No,
                    m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    FixedFrame::keep(box);
    centreOnScreen(box);
    return box.exec() == QMessageBox::Yes;
}

void QtMessageBoxes::showError(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Critical, toQString(title), toQString(text), QMessageBox::Ok, m_owner);
    box.setWindowModality(Qt::ApplicationModal);
    FixedFrame::keep(box);
    centreOnScreen(box);
    box.exec();
}

}  // namespace platform::qt
