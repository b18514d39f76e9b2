#include "app/appdirpath.h"
#include "app/mainmainwidget.h"
#include "app/singlewindow.h"
#include "cli/commandline.h"
#include "cli/commandoutput.h"
#include "cli/windowdisplay.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

namespace {

void addPluginFolders()
{
    appDirPath = QCoreApplication::applicationDirPath();
    // Plug-ins copied beside the executable are searched as well as Qt's own.
    for (const char *sub : {"", "/plugins", "/plugins/imageformats", "/plugins/platforms",
                            "/plugins/sqldrivers", "/plugins/bearer"})
        QCoreApplication::addLibraryPath(appDirPath + QLatin1String(sub));
}

// A release build's window prints nothing on the terminal it was started from, Qt's own
// warnings included; a fatal message still ends the program.
void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        abort();
}

void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (runsAsCommand(arguments)) {
        attachToStartingConsole();
        QCoreApplication app(argc, argv);
        addPluginFolders();
        // The workers' debug lines are not for a terminal: commands print only errors.
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        return runCommand(argc, argv);
    }

    if (!displayFound(arguments))
        return failNoDisplay();
#ifdef QT_NO_DEBUG_OUTPUT
    qInstallMessageHandler(dropMessage);
#endif
    QApplication app(argc, argv);
    addPluginFolders();
    const QStringList files = filesToOpen(QCoreApplication::arguments());
    if (handToRunningWindow(files))
        return 0;

    MainMainWidget window(nullptr);
    SingleWindowServer server;
    server.listen();
    QObject::connect(&server, &SingleWindowServer::filesArrived, &window,
                     [&window](const QStringList &handedFiles) {
                         bringToFront(&window);
                         window.openFiles(handedFiles);
                     });
    window.show();
    // Once the loop runs, so that the window is on screen under the job and its dialogs.
    if (!files.isEmpty())
        QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });
    return app.exec();
}
