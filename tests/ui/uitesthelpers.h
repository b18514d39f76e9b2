#ifndef PAGETESTHELPERS_H
#define PAGETESTHELPERS_H

// Shared by the page tests: answering message dialogs, a recording stand-in for the
// desktop's folder opener, reading the busy overlay and drawing test images.

#include "app/loadingwidget.h"
#include "app/mainmainwidget.h"
#include "widgets/mymessagedialog.h"
#include "widgets/mytempbutton1.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QtTest>

// The page tests run at 96 dpi, the interface's design scale of 1.0 (the offscreen
// platform would report 100 dpi otherwise).
#define PAGE_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char *argv[])                                                       \
    {                                                                                      \
        qputenv("QT_FONT_DPI", "96");                                                      \
        QApplication app(argc, argv);                                                      \
        TestClass test;                                                                    \
        QTEST_SET_MAIN_SOURCE_PATH                                                         \
        return QTest::qExec(&test, argc, argv);                                            \
    }

struct DialogAnswer
{
    bool seen = false;
    QString message;
    bool singleButton = false;
    QString rightText;
};

// Waits for the next message dialog, records it and presses its right-hand tile
// ("Open" or "OK") when pressRight is true, else its left-hand tile.
inline void answerNextDialog(DialogAnswer *answer, bool pressRight)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, pressRight] {
        auto *dialog = qobject_cast<MyMessageDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer->seen = true;
        answer->message = dialog->messageLabel->text();
        answer->singleButton = dialog->CancelButton->isHidden();
        answer->rightText = dialog->OKButton->text();
        emit(pressRight ? dialog->OKButton : dialog->CancelButton)->clicked();
    });
    timer->start();
}

// Puts a stand-in "xdg-open" first on PATH that appends its argument count and first
// argument to a file; returns that file's path.
inline QString installFakeFolderOpener(const QString &dir)
{
    QDir().mkpath(dir);
    const QString record = dir + "/opened.txt";
    QFile script(dir + "/xdg-open");
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\nprintf '%s %s\\n' \"$#\" \"$1\" >> \"" + record.toUtf8() + "\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir.toUtf8() + ":" + qgetenv("PATH"));
    return record;
}

inline QString readRecord(const QString &record)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

inline QString overlayText(MainMainWidget *window)
{
    return window->loadingWidget->textLabel->text();
}

inline QString storedSetting(const QString &key)
{
    return QSettings(QStringLiteral("Tessmark"), QStringLiteral("Lumorra"))
        .value(key)
        .toString();
}

// An image of flat blocks in a few colours, so that a GIF can show it without loss.
inline QImage blockImage(int width, int height, QRgb first, QRgb second)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(first);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 3, QColor(second));
    painter.fillRect(width / 2, height / 3, width - width / 2, height / 3, Qt::white);
    return image;
}

#endif
