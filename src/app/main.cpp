#include "app/arguments.h"
#include "app/program.h"
#include "platform/posix_file_system.h"
#include "platform/qt/main_window.h"
#include "platform/qt/services.h"
#include "platform/qt/session.h"

#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <iostream>

namespace {

// What Qt is given of the command line: the program's name, and the session manager's ID so that Qt's
// session management answers it. The strings live as long as the application.
struct QtArguments {
    explicit QtArguments(const char* programName, const app::Arguments& arguments) : strings{programName} {
        if (arguments.sessionId) strings.insert(strings.end(), {"-session", *arguments.sessionId});
        for (std::string& text : strings) pointers.push_back(text.data());
        pointers.push_back(nullptr);
        count = static_cast<int>(strings.size());
    }
    std::vector<std::string> strings;
    std::vector<char*> pointers;
    int count = 0;
};

// The opened path is shown in the caption and written back by Save, so a relative one is made whole
// now, as the open dialog would have given it.
std::string wholePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(path, error);
    return error ? path : whole.string();
}

}  // namespace

// The program start: the help file name, the main form (FormCreate runs as it is created) and the
// About box come from Program; then the real window is built from the form and the loop runs until it
// closes. A file named on the command line is opened once the window is up, as Open would open it.
int main(int argc, char* argv[]) {
    const std::string programName = std::filesystem::path(argv[0]).filename().string();
    const app::Arguments arguments = app::parseArguments({argv + 1, argv + argc});
    switch (arguments.action) {
        case app::Arguments::Action::Help:
            std::cout << app::helpText(programName);
            return 0;
        case app::Arguments::Action::Version:
            std::cout << app::versionText();
            return 0;
        case app::Arguments::Action::Usage:
            std::cerr << programName << ": " << arguments.problem << "\n" << app::usageLine(programName) << "\n";
            return 2;
        case app::Arguments::Action::Run:
            break;
    }

    // Through shared memory, Qt waits for the X server (a round trip) before it paints again over any
    // part of the window it has sent since it last waited, and the status text is such a part at
    // every pen motion. The few small areas a motion changes go faster over the connection itself.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QtArguments qtArguments(argv[0], arguments);
    QApplication application(qtArguments.count, qtArguments.pointers.data());
    platform::PosixFileSystem files;
    platform::qt::QtServices services(files);
    Program program(services.services());
    platform::qt::MainWindow window(program.MainForm);
    services.attach(&window, window.client());
    const platform::qt::Session session(application, window, program.MainForm);
    window.show();
    if (arguments.file)
        QTimer::singleShot(0, &window, [&window, path = wholePath(*arguments.file)] { window.openHandedFile(path); });
    return application.exec();
}
