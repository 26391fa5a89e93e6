#include "platform/qt/modal_host.h"

#include "platform/qt/convert.h"
#include "platform/qt/fixed_frame.h"

#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace platform::qt {

namespace {

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

FormDialog::FormDialog(platform::FormInput& input, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_input(input),
      m_form(input.form()),
      m_client(makeClient(this)),
      m_widgets(m_form, m_client) {
    setObjectName(toQString(m_form.name));
    m_widgets.onClick = [this](platform::Control& control) {
        m_input.click(control);
        afterInput();
    };
    m_widgets.onStep = [this](platform::UpDown& upDown, int delta) {
        m_input.step(upDown, delta);
        afterInput();
    };
    m_widgets.onType = [this](platform::EditBox& edit, const std::string& text) {
        m_input.type(edit, text);
        afterInput();
    };
    FixedFrame::keep(*this);
}

void FormDialog::afterInput() {
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

void QtModalHost::showModal(platform::FormInput& input) {
    QPointer<FormDialog>& dialog = m_dialogs[&input.form()];
    if (!dialog) dialog = new FormDialog(input, m_owner);
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
