#include "about/about_box.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/modal_host.h"

#include "modal_step.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace platform::qt;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void aboutBoxHasItsLayoutAndIgnoresEscape() {
        platform::qt::QtMessageBoxes messages;
        platform::qt::QtErrorDisplay errors{messages};
        TAboutBox about{errors};
        QtModalHost host;
        QSize clientSize;
        bool openAfterEscape = false;
        whileModal([&](QWidget* dialog) {
            clientSize = dialog->findChild<QWidget*>()->size();
            QCOMPARE(dialog->minimumSize(), dialog->size());
            QCOMPARE(dialog->maximumSize(), dialog->size());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("About Velmora"));
            QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            QTest::keyClick(dialog, Qt::Key_Escape);
            openAfterEscape = dialog->isVisible();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        host.showModal(about);
        QCOMPARE(clientSize, QSize(218, 203));
        QVERIFY(openAfterEscape);
        QCOMPARE(about.modalResult, platform::ModalResult::Ok);
        QCOMPARE(about.ShowCount, 1);
    }

    void aboutBoxLooksTheSameEveryTime() {
        platform::qt::QtMessageBoxes messages;
        platform::qt::QtErrorDisplay errors{messages};
        TAboutBox about{errors};
        QtModalHost host;
        QList<QRect> okPlaces;
        for (int showing = 0; showing < 2; ++showing) {
            whileModal([&](QWidget* dialog) {
                auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("OKButton"));
                okPlaces << QRect(ok->mapTo(dialog->findChild<QWidget*>(), QPoint(0, 0)), ok->size());
                QVERIFY(ok->isDefault());
                QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
                QTest::mouseClick(ok, Qt::LeftButton);
            });
            host.showModal(about);
        }
        QCOMPARE(okPlaces, QList<QRect>({QRect(76, 171, 74, 25), QRect(76, 171, 74, 25)}));
        QCOMPARE(about.ShowCount, 2);
    }

    void titleBarCloseEndsTheDialog() {
        platform::qt::QtMessageBoxes messages;
        platform::qt::QtErrorDisplay errors{messages};
        TAboutBox about{errors};
        QtModalHost host;
        whileModal([](QWidget* dialog) { dialog->close(); });
        host.showModal(about);
        QCOMPARE(about.modalResult, platform::ModalResult::Cancel);
    }

    void helpFileNamesLeadToTheShippedPages() {
        const auto compiledIn = helpTopicUrl("Help.hlp", 1, defaultHelpRoots());
        QVERIFY(compiledIn.has_value());
        QCOMPARE(compiledIn->scheme(), QStringLiteral("qrc"));
        QVERIFY(!helpTopicUrl("Other.hlp", 1, defaultHelpRoots()).has_value());
        QVERIFY(!helpTopicUrl("Help.hlp", 42, defaultHelpRoots()).has_value());

        // An installed copy is preferred to the compiled-in one.
        QTemporaryDir installed;
        QVERIFY(QDir(installed.path()).mkpath(QStringLiteral("help")));
        QFile page(installed.filePath(QStringLiteral("help/index.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        const auto local = helpTopicUrl("Help.hlp", 1, {installed.path(), QStringLiteral(":/")});
        QVERIFY(local.has_value());
        QCOMPARE(local->toLocalFile(), page.fileName());
    }

    void helpOpensBesideTheEditorWithoutBlockingIt() {
        QWidget owner;
        owner.setGeometry(20, 20, 200, 150);
        owner.show();
        QtHelpViewer viewer;
        viewer.setOwner(&owner);
        viewer.showContext("Help.hlp", 1);
        QTextBrowser* window = viewer.window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QVERIFY(!window->parentWidget());
        QVERIFY(!window->windowHandle()->transientParent());
        QVERIFY(!window->frameGeometry().intersects(owner.frameGeometry()));
        QVERIFY(owner.screen()->availableGeometry().contains(window->frameGeometry()));
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QVERIFY(window->toPlainText().contains(QStringLiteral("Velmora Help")));
        QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose));
        viewer.showContext("Help.hlp", 1);
        QCOMPARE(viewer.window(), window);
    }

    void helpGoesWhereItCoversTheLeastOfTheEditor() {
        const QRect screen(0, 0, 1024, 768);
        // Room on the left only.
        QCOMPARE(helpWindowPlace(QRect(500, 100, 500, 400), QSize(400, 300), screen), QRect(100, 100, 400, 300));
        // No room on any side: on screen where it overlaps the editor least, here on the right.
        QCOMPARE(helpWindowPlace(QRect(144, 98, 735, 571), QSize(566, 513), screen), QRect(458, 98, 566, 513));
        // Larger than the screen: cut down to it.
        QCOMPARE(helpWindowPlace(QRect(0, 0, 100, 100), QSize(2000, 2000), screen), screen);
    }

    void missingHelpIsReportedByTheViewer() {
        QtHelpViewer viewer;
        viewer.setSearchRoots({});
        bool reported = false;
        whileModal([&](QWidget* box) {
            reported = box->findChildren<QLabel*>().size() > 0;
            QTest::keyClick(box, Qt::Key_Return);
        });
        viewer.showContext("Help.hlp", 1);
        QVERIFY(reported);
        QVERIFY(!viewer.window());
    }

    // The open dialog hands back a typed name of a file that does not exist, so that Open can report
    // it as a file that cannot be opened.
    void openDialogReturnsATypedNameOfAMissingFile() {
        QTemporaryDir directory;
        const QString missing = directory.filePath(QStringLiteral("missing.wbmp"));
        QString refusal;
        // A refusal would come as a box of its own over the dialog: note it and close both.
        QTimer refused;
        refused.setSingleShot(true);
        whileModal([&](QWidget* dialog) {
            QObject::connect(&refused, &QTimer::timeout, dialog, [&refusal, dialog] {
                QWidget* box = QApplication::activeModalWidget();
                if (!box || box == dialog) return;
                refusal = box->windowTitle();
                box->close();
                dialog->close();
            });
            refused.start(100);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(missing);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QtFileDialogs dialogs;
        const auto chosen = dialogs.runOpen({"Wireless Bitmap (*.wbmp)|*.wbmp"}, "");
        QCOMPARE(refusal, QString());
        QCOMPARE(QString::fromStdString(chosen.value_or("")), missing);
    }

    // The file list opens with every column but the name wide enough for what it shows: Qt's own
    // widths cut a size such as "196 bytes", the picture type and the date short.
    void fileListColumnsShowTheirWholeTexts() {
        QTemporaryDir directory;
        QFile file(directory.filePath(QStringLiteral("picture.wbmp")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(196, '\0')) == 196);
        file.close();
        QStringList cut;
        int listed = 0;
        whileModal([&](QWidget* dialog) {
            auto* view = dialog->findChild<QTreeView*>();
            if (view && QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; })) {
                listed = view->model()->rowCount(view->rootIndex());
                // What each column's cells ask for, with their margins.
                const auto wanted = [view](int column) {
                    return static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column);
                };
                QHeaderView* header = view->header();
                for (int column = 1; column < header->count(); ++column)
                    if (header->sectionSize(column) < wanted(column))
                        cut << QStringLiteral("%1: %2 < %3")
                                   .arg(view->model()->headerData(column, Qt::Horizontal).toString())
                                   .arg(header->sectionSize(column))
                                   .arg(wanted(column));
                if (header->length() > view->viewport()->width())
                    cut << QStringLiteral("the list is wider than its view");
            }
            dialog->close();
        });
        QtFileDialogs dialogs;
        dialogs.runOpen({"Wireless Bitmap (*.wbmp)|*.wbmp"}, file.fileName().toStdString());
        QCOMPARE(listed, 1);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
