#include "platform/qt/modal_host.h"

#include "platform/qt/convert.h"
#include "platform/qt/fixed_frame.h"

#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace platform::qt {

namespace {

// A secondary form's buttons run the form's own handlers; a button without one closes with OK.
void runButtonHandler(platform::Form& form, platform::Control& control) {
    if (!form.click(control) && control.kind == platform::ControlKind::Button)
        form.modalResult = platform::ModalResult::Ok;
}

QWidget* makeClient(QDialog* dialog) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    // The dialog takes exactly its client area; minimum and maximum size are the same, so neither the
    // user nor the window system can resize it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* client = new QWidget(dialog);
    layout->addWidget(client);
    return client;
}

}  // namespace

FormDialog::FormDialog(platform::Form& form, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_form(form),
      m_client(makeClient(this)),
      m_widgets(form, m_client) {
    setObjectName(toQString(form.name));
    m_widgets.onClick = [this](platform::Control& control) { buttonClicked(control); };
    FixedFrame::keep(*this);
}

void FormDialog::buttonClicked(platform::Control& control) {
    runButtonHandler(m_form, control);
    m_widgets.sync();
    if (m_form.modalResult != platform::ModalResult::None) accept();
}

void FormDialog::run() {
    m_form.modalResult = platform::ModalResult::None;
    m_form.FormShow();
    setWindowTitle(toQString(m_form.caption));
    m_client->setFixedSize(m_form.clientSize.width, m_form.clientSize.height);
    m_widgets.sync();
    adjustSize();
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    if (exec() != QDialog::Accepted && m_form.modalResult == platform::ModalResult::None)
        m_form.modalResult = platform::ModalResult::Cancel;
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void QtModalHost::showModal(platform::Form& form) {
    QPointer<FormDialog>& dialog = m_dialogs[&form];
    if (!dialog) dialog = new FormDialog(form, m_owner);
    dialog->run();
}

QtModalHost::~QtModalHost() {
    for (auto& [form, dialog] : m_dialogs) delete dialog.data();
}

FormDialog* QtModalHost::dialog(const platform::Form& form) const {
    const auto found = m_dialogs.find(&form);
    return found == m_dialogs.end() ? nullptr : found->second.data();
}

}  // namespace platform::qt
