// images-page [--rounds N] IMAGE_FOLDER [OUT_FOLDER]
// Drives the real images page offscreen on every image of the folder, in name order:
// import them all, create the GIF, go back to the start page. Prints the import and
// create seconds and the resident memory before the import, after it, at the peak of the
// job and after going back. The GIF is kept in OUT_FOLDER when one is given. Settings and
// folders go to a temporary home, never the user's.
#include "app/appdirpath.h"
#include "app/filechooser.h"
#include "app/loadingwidget.h"
#include "app/mainmainwidget.h"
#include "pages/gifimageswidget.h"
#include "pages/gifmenuwidget.h"
#include "widgets/mymessagedialog.h"
#include "widgets/mytempbutton2.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// A field of /proc/self/status in MB ("VmRSS", "VmHWM"); -1 where there is none.
double statusMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field) && line.at(int(qstrlen(field))) == ':')
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').first().toDouble()
                   / 1024.0;
    }
    return -1;
}

// Makes the peak resident size start again from the current one.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Lets the event loop run, without spinning a core, until the condition holds.
void waitUntil(const std::function<bool()> &condition)
{
    while (!condition()) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The message dialog the job ends with: noted and answered "Cancel".
struct DialogWatch : QObject
{
    QString lastMessage;
    int answered = 0;
    DialogWatch() { startTimer(5); }
    void timerEvent(QTimerEvent *) override
    {
        auto *dialog = qobject_cast<MyMessageDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        lastMessage = dialog->messageLabel->text();
        ++answered;
        dialog->reject();
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    for (const char *variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.path().toUtf8());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    appDirPath = QCoreApplication::applicationDirPath();
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    int rounds = 1;
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("--rounds")) {
        rounds = qMax(1, arguments.at(1).toInt());
        arguments = arguments.mid(2);
    }
    if (arguments.isEmpty() || arguments.size() > 2) {
        fprintf(stderr, "usage: images-page [--rounds N] IMAGE_FOLDER [OUT_FOLDER]\n");
        return 2;
    }
    const QDir imageFolder(arguments.at(0));
    QStringList paths;
    for (const QString &name : imageFolder.entryList(
             {"*.jpg", "*.jpeg", "*.png", "*.bmp"}, QDir::Files, QDir::Name))
        paths << imageFolder.absoluteFilePath(name);
    const QString outFolder = arguments.size() == 2 ? arguments.at(1) : home.path() + "/out";
    QDir().mkpath(outFolder);

    MainMainWidget window(nullptr);
    window.show();
    window.menuWidget->savePath = outFolder;
    GifImagesWidget *page = window.imagesWidget;
    FileChooser::answerOpenFiles([&paths](auto &&...) { return paths; });
    DialogWatch dialogs;
    printf("images: %d from %s\n", int(paths.size()), qPrintable(imageFolder.path()));

    int failures = 0;
    for (int round = 1; round <= rounds; ++round) {
        window.switchPage(1);
        waitUntil([&] { return page->pos().x() == 1; });
        const double beforeImport = statusMegabytes("VmRSS");

        QElapsedTimer timer;
        timer.start();
        page->addPhotosButton->click();
        waitUntil([&] { return page->createGifButton->tileEnabled; });
        const double importSeconds = timer.nsecsElapsed() / 1e9;
        waitUntil([&] { return window.loadingWidget->isHidden(); });
        const double afterImport = statusMegabytes("VmRSS");

        resetPeakMemory();
        const int answeredBefore = dialogs.answered;
        timer.restart();
        page->createGifButton->click();
        waitUntil([&] { return dialogs.answered > answeredBefore; });
        const double createSeconds = timer.nsecsElapsed() / 1e9;
        const double peak = statusMegabytes("VmHWM");

        page->backupmeuButton->click();
        waitUntil([&] { return page->isHidden(); });
        const double afterBack = statusMegabytes("VmRSS");

        const bool completed = dialogs.lastMessage.startsWith(QLatin1String("completed"));
        failures += completed ? 0 : 1;
        printf("round %d: %s\n", round, qPrintable(dialogs.lastMessage));
        printf("import: %.3f s\n", importSeconds);
        printf("create: %.3f s\n", createSeconds);
        printf("resident before import: %.0f MB\n", beforeImport);
        printf("resident after import: %.0f MB\n", afterImport);
        printf("resident peak during create: %.0f MB\n", peak);
        printf("resident after back: %.0f MB\n", afterBack);
        fflush(stdout);
    }
    FileChooser::answerOpenFiles({});
    return failures == 0 ? 0 : 1;
}
