// Preloaded into an installed program by the install tests: once the program's event loop
// has run for a moment, it prints the texts its windows show (labels, menus and their
// entries) and closes the windows, as the title bar's close button does, so the program
// ends through its own loop and exit code.

#include <QApplication>
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

void reportAndClose()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || qobject_cast<QMenu *>(window))
            continue;
        for (const QLabel *label : window->findChildren<QLabel *>())
            print("label", label->text());
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
    // Posted, so it runs once the program's own event loop is running.
    QMetaObject::invokeMethod(qApp, [] { QTimer::singleShot(1500, qApp, reportAndClose); },
                              Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
