#include "app/program.h"
#include "platform/posix_file_system.h"
#include "platform/qt/main_window.h"
#include "platform/qt/services.h"

#include <QApplication>

// The program start: the help file name, the main form (FormCreate runs as it is created) and the
// About box come from Program; then the real window is built from the form and the loop runs until it
// closes. The command line is not read.
int main(int, char* argv[]) {
    // Only the program's own name reaches Qt, so no argument changes what the program does.
    int argumentCount = 1;
    // Through shared memory, Qt waits for the X server (a round trip) before it paints again over any
    // part of the window it has sent since it last waited, and the status text is such a part at
    // every pen motion. The few small areas a motion changes go faster over the connection itself.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication application(argumentCount, argv);
    platform::PosixFileSystem files;
    platform::qt::QtServices services(files);
    Program program(services.services());
    platform::qt::MainWindow window(program.MainForm);
    services.attach(&window, window.client());
    window.show();
    return application.exec();
}
