#pragma once

#include "app/program.h"
#include "platform/posix_file_system.h"
#include "platform/qt/main_window.h"
#include "platform/qt/services.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

// The real main window, built from the form as the program builds it, shown and active; the Qt tests
// of the window open one for each test function and close it afterwards.
class WindowUnderTest {
public:
    bool open() {
        m_services = std::make_unique<platform::qt::QtServices>(m_files);
        m_program = std::make_unique<Program>(m_services->services());
        m_window = std::make_unique<platform::qt::MainWindow>(m_program->MainForm);
        m_services->attach(m_window.get(), m_window->client());
        m_window->show();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    void close() {
        m_window.reset();
        m_program.reset();
        m_services.reset();
    }

    TMainForm& form() { return m_program->MainForm; }
    platform::qt::MainWindow& window() { return *m_window; }
    platform::qt::QtServices& services() { return *m_services; }

    template <class Widget = QWidget>
    Widget* widgetOf(const platform::Control& control) {
        return qobject_cast<Widget*>(m_window->widgets().widget(control));
    }

    // Replaces an edit box's text by typing, as a person does after selecting all of it.
    void typeInto(const platform::EditBox& edit, const QString& text) {
        auto* line = widgetOf<QLineEdit>(edit);
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
    }

private:
    platform::PosixFileSystem m_files;
    std::unique_ptr<platform::qt::QtServices> m_services;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<platform::qt::MainWindow> m_window;
};
