#ifndef UITESTHELPERS_H
#define UITESTHELPERS_H

// Shared by the widget tests: the interface's headers, the test main, answering message
// dialogs, a recording stand-in for the desktop's folder opener, a shown main window for the
// page tests, the strip's tiles and frame rate, sending plain events and drawing test images.

#include "app/appdirpath.h"
#include "app/filechooser.h"
#include "app/loadingwidget.h"
#include "app/mainmainwidget.h"
#include "app/maintopwidget.h"
#include "app/services.h"
#include "app/settings.h"
#include "pages/gifimageswidget.h"
#include "pages/gifmenuwidget.h"
#include "pages/gifvideowidget.h"
#include "pages/sizelimitbox.h"
#include "pages/imageitem.h"
#include "pages/joboptionswidget.h"
#include "pages/viewimagewidget.h"
#include "support/enginetesthelpers.h"
#include "widgets/mymessagedialog.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton1.h"
#include "widgets/mytempbutton2.h"
#include "widgets/numberdialog.h"
#include "widgets/uiscale.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>

// Runs a widget test at 96 dpi, the design scale of 1.0 (the offscreen screen reports 100
// unless told), with the built Lang/ folder beside the test programs and an English locale.
#define LUMORRA_UI_TEST_MAIN(TestClass)                                                  \
    int main(int argc, char *argv[])                                                     \
    {                                                                                    \
        if (!qEnvironmentVariableIsSet("QT_FONT_DPI"))                                   \
            qputenv("QT_FONT_DPI", "96");                                                \
        QApplication app(argc, argv);                                                    \
        appDirPath = QCoreApplication::applicationDirPath();                             \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));           \
        TestClass test;                                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                                       \
        return QTest::qExec(&test, argc, argv);                                          \
    }

inline QString fileText(const QString &path)
{
    return QString::fromUtf8(readFile(path));
}

// Answers every message dialog that comes up while it lives: records it as
// "message [tiles]" ("... [Cancel|Open]" or "... [OK]"), followed by " (off centre)" when it
// is not centred over the main window, and presses the right-hand tile, or the left-hand
// one when pressRight is false and there is one.
class DialogAnswerer : public QObject
{
public:
    DialogAnswerer() { startTimer(10); }
    QStringList dialogs;
    bool pressRight = true;

protected:
    void timerEvent(QTimerEvent *) override
    {
        auto *dialog = qobject_cast<MyMessageDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        const bool single = dialog->CancelButton->isHidden();
        const bool centred = mainWindow()
                             && dialog->geometry().center() == mainWindow()->geometry().center();
        dialogs << dialog->messageLabel->text() + " ["
                       + (single ? QString() : dialog->CancelButton->text() + "|")
                       + dialog->OKButton->text() + "]" + (centred ? "" : " (off centre)");
        emit(pressRight || single ? dialog->OKButton : dialog->CancelButton)->clicked();
    }
};

// Puts a stand-in "xdg-open" first on PATH that appends its argument count and first
// argument to a file; returns that file's path.
inline QString installFakeFolderOpener(const QString &dir)
{
    const QString record = dir + "/opened.txt";
    QDir().mkpath(dir);
    writeFile(dir + "/xdg-open",
              "#!/bin/sh\nprintf '%s %s\\n' \"$#\" \"$1\" >> \"" + record.toUtf8() + "\"\n");
    QFile::setPermissions(dir + "/xdg-open", QFile::ReadOwner | QFile::ExeOwner);
    qputenv("PATH", dir.toUtf8() + ":" + qgetenv("PATH"));
    return record;
}

// Imports images through the images page's chooser and waits for the import to end.
inline void importImages(MainMainWidget *window, const QStringList &paths)
{
    FileChooser::answerOpenFiles([paths](auto &&...) { return paths; });
    QTest::mouseClick(window->imagesWidget->addPhotosButton, Qt::LeftButton);
    QTRY_VERIFY(window->loadingWidget->isHidden());
}

// The file names of the images page's tiles in use, in strip order.
inline QStringList tileNames(MainMainWidget *window)
{
    QStringList names;
    for (const ImageItem *item : window->imagesWidget->viewImageWidget->tilesInUse())
        names << QFileInfo(item->image.path).fileName();
    return names;
}

// Answers the number question open over parent: types the text, then the key given.
inline void answerNumber(QWidget *parent, const QString &typed, Qt::Key answer)
{
    auto *dialog = parent->findChild<NumberDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    QTest::keyClicks(dialog->numberBox, typed);
    QTest::keyClick(dialog->numberBox, answer);
    QVERIFY(!dialog->isVisible());
    QTRY_VERIFY(!parent->findChild<NumberDialog *>());
}

// Picks "Custom…" in the frame-rate box and answers the question with the keys given.
inline void chooseCustomRate(GifImagesWidget *page, const QString &typed, Qt::Key answer)
{
    QTest::keyClick(page->framepsComboBox, Qt::Key_End);
    answerNumber(page, typed, answer);
}

inline QString overlayText(MainMainWidget *window)
{
    return window->loadingWidget->textLabel->text();
}

inline void sendEvent(QWidget *w, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(w, &event);
}

// A move with the left button held, as the window system delivers it during a drag.
inline void dragTo(QWidget *w, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
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

// The page tests' common ground: a shown main window, an answerer for its dialogs, a
// recording folder opener and a temporary folder.
class PageTest : public QObject
{
protected:
    QTemporaryDir temp;
    MainMainWidget *window = nullptr;
    DialogAnswerer answerer;
    QString opened; // what the folder opener was asked to show

    void startWindow()
    {
        opened = installFakeFolderOpener(temp.path() + "/bin");
        window = new MainMainWidget;
        window->show();
    }

    void stopWindow()
    {
        FileChooser::answerOpenFile({});
        FileChooser::answerOpenFiles({});
        delete window;
    }
};

#endif
