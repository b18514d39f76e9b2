// Preloaded into an installed program by the install tests: once the program's event loop
// runs, it waits LUMORRA_PROBE_SECONDS (1.5 by default), or less once a label shows the
// text LUMORRA_PROBE_UNTIL, then prints the texts its windows show (visible labels, menus
// and their entries) and the desktop entry its windows name, and closes the windows, as
// the title bar's close button does, so the program ends through its own loop and exit
// code.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <cstdio>

namespace {

QList<QWidget *> shownWindows()
{
    QList<QWidget *> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !qobject_cast<QMenu *>(window))
            windows << window;
    }
    return windows;
}

// "desktop entry: id", then "label: text", "menu: title" and "action: text" lines, in
// window order.
QStringList shownTexts()
{
    QStringList lines{QStringLiteral("desktop entry: ") + QGuiApplication::desktopFileName()};
    const auto add = [&lines](const char *kind, const QString &text) {
        if (!text.isEmpty())
            lines << QString::fromLatin1(kind) + QStringLiteral(": ") + text;
    };
    for (const QWidget *window : shownWindows()) {
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->isVisibleTo(window))
                add("label", label->text());
        }
        for (const QMenu *menu : window->findChildren<QMenu *>()) {
            add("menu", menu->title());
            for (const QAction *action : menu->actions())
                add("action", action->text());
        }
    }
    return lines;
}

void startProbe()
{
    const QString until = QStringLiteral("label: ") + qEnvironmentVariable("LUMORRA_PROBE_UNTIL");
    bool given = false;
    const double seconds = qEnvironmentVariable("LUMORRA_PROBE_SECONDS").toDouble(&given);
    const qint64 mostMs = qint64((given ? seconds : 1.5) * 1000);
    QElapsedTimer elapsed;
    elapsed.start();
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [=] {
        const QStringList texts = shownTexts();
        if (elapsed.elapsed() < mostMs && !texts.contains(until))
            return;
        poll->stop();
        std::printf("%s\n", texts.join(QLatin1Char('\n')).toUtf8().constData());
        std::fflush(stdout);
        for (QWidget *window : shownWindows())
            window->close();
    });
    // Started from the program's own event loop, once it runs.
    QMetaObject::invokeMethod(poll, [poll] { poll->start(50); }, Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
