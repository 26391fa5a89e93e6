#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `step` once the modal dialog is up, while showModal() is blocked in its loop. A check that fails
// inside the step returns from it with the dialog still open, and the loop would wait for ever: the
// failed test's dialogs are closed, so that showModal() returns and the test ends as failed.
inline void whileModal(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        step(QApplication::activeModalWidget());
        if (!QTest::currentTestFailed()) return;
        // A box the step left over its dialog comes first; one that refuses to close ends the attempt.
        while (QPointer<QWidget> open = QApplication::activeModalWidget()) {
            open->close();
            if (open && open == QApplication::activeModalWidget()) break;
        }
    });
}
