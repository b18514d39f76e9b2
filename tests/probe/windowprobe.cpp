// Preloaded into an installed program by the install tests: once the program's event loop
// runs, it waits LUMORRA_PROBE_SECONDS (1.5 by default), or less when a label shows the
// text LUMORRA_PROBE_UNTIL, then prints the texts its windows show (visible labels, menus
// and their entries) and closes the windows, as the title bar's close button does, so the
// program ends through its own loop and exit code.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <cstdio>

namespace {

void print(const char *kind, const QString &text)
{
    if (!text.isEmpty())
        std::printf("%s: %s\n", kind, text.toUtf8().constData());
}

QList<QWidget *> shownWindows()
{
    QList<QWidget *> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !qobject_cast<QMenu *>(window))
            windows << window;
    }
    return windows;
}

bool labelShows(const QString &text)
{
    for (const QWidget *window : shownWindows()) {
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->isVisibleTo(window) && label->text() == text)
                return true;
        }
    }
    return false;
}

void reportAndClose()
{
    for (QWidget *window : shownWindows()) {
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->isVisibleTo(window))
                print("label", label->text());
        }
        for (const QMenu *menu : window->findChildren<QMenu *>()) {
            print("menu", menu->title());
            for (const QAction *action : menu->actions())
                print("action", action->text());
        }
        window->close();
    }
    std::fflush(stdout);
}

void startProbe()
{
    const QString until = qEnvironmentVariable("LUMORRA_PROBE_UNTIL");
    bool given = false;
    const double seconds = qEnvironmentVariable("LUMORRA_PROBE_SECONDS").toDouble(&given);
    const qint64 waitMs = qint64((given ? seconds : 1.5) * 1000);
    // Posted, so it runs once the program's own event loop is running.
    QMetaObject::invokeMethod(
        qApp,
        [until, waitMs] {
            auto *poll = new QTimer(qApp);
            auto *elapsed = new QElapsedTimer;
            elapsed->start();
            QObject::connect(poll, &QTimer::timeout, [poll, elapsed, until, waitMs] {
                if (elapsed->elapsed() < waitMs && (until.isEmpty() || !labelShows(until)))
                    return;
                poll->stop();
                delete elapsed;
                reportAndClose();
            });
            poll->start(50);
        },
        Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
