#include "app/appdirpath.h"
#include "app/mainmainwidget.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    appDirPath = QCoreApplication::applicationDirPath();
    // Plug-ins copied beside the executable are searched as well as Qt's own.
    for (const char *sub : {"", "/plugins", "/plugins/imageformats", "/plugins/platforms",
                            "/plugins/sqldrivers", "/plugins/bearer"})
        QCoreApplication::addLibraryPath(appDirPath + QLatin1String(sub));

    MainMainWidget window(nullptr);
    window.show();
    return app.exec();
}
