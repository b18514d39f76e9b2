// The video page's test fixture: the real ffmpeg and ffprobe, videos made here by ffmpeg
// itself, a window whose choosers answer with the video named.
#ifndef VIDEOPAGETEST_H
#define VIDEOPAGETEST_H

#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"

#include <QCryptographicHash>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

const int toolTimeout = 120000;
const QString failedText = "Failed, Please check the parameters. [OK]";
const QString notAVideoText = "Failed, Please check the video file. [OK]";

inline bool runFfmpeg(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + arguments);
    return ffmpeg.waitForFinished(toolTimeout) && ffmpeg.exitCode() == 0;
}

inline bool makeVideo(const QString &path, int width, int height, int seconds,
               const QString &source = "testsrc=")
{
    return runFfmpeg({"-f", "lavfi", "-i",
                      QString("%1size=%2x%3:rate=25").arg(source).arg(width).arg(height), "-t",
                      QString::number(seconds), "-pix_fmt", "yuv420p", path});
}

// "name md5" for every file in a folder, to tell that a job left it exactly as it was.
inline QStringList folderState(const QString &folder)
{
    QStringList state;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        state << file.fileName() + " "
                     + QCryptographicHash::hash(readFile(file.filePath()),
                                                QCryptographicHash::Md5).toHex();
    }
    return state;
}

#ifdef Q_OS_UNIX
// The process ids of the video tools this process started (from its main thread).
inline QStringList childTools()
{
    QStringList tools;
    const QString children = readFile(QString("/proc/self/task/%1/children").arg(getpid()));
    for (const QString &child : children.split(' ', Qt::SkipEmptyParts)) {
        const QString name = readFile("/proc/" + child + "/comm").trimmed();
        if (name == "ffmpeg" || name == "ffprobe")
            tools << child;
    }
    return tools;
}
#endif

class VideoPageTest : public PageTest
{
protected:
    QString videos, output, chosenVideo;
    GifVideoWidget *page = nullptr;
    int chooserCalls = 0;
    QStringList chooserFolders; // where the chooser opened, call by call

    bool importVideo(const QString &name)
    {
        chosenVideo = videos + "/" + name;
        answerer.dialogs.clear();
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        return waitUntilIdle();
    }

    bool waitUntilIdle()
    {
        return QTest::qWaitFor([this] { return window->loadingWidget->isHidden(); },
                               toolTimeout);
    }

    void fillForm(const QString &start, const QString &duration, const QString &width = "0",
                  const QString &height = "0")
    {
        page->startTimeEdit->setText(start);
        page->durationEdit->setText(duration);
        page->widthEdit->setText(width);
        page->heightEdit->setText(height);
    }

    // Presses "Create GIF" and waits for the dialog that ends the job.
    bool createGif()
    {
        answerer.dialogs.clear();
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        return QTest::qWaitFor([this] { return !answerer.dialogs.isEmpty(); }, toolTimeout)
               && waitUntilIdle();
    }

    bool createGif(const QString &start, const QString &duration, const QString &width = "0",
                   const QString &height = "0")
    {
        fillForm(start, duration, width, height);
        return createGif();
    }

    QImage shownThumbnail() const
    {
        return page->thumbLabel->palette().brush(QPalette::Window).texture().toImage();
    }

    // "enabled" or "disabled" when the Create GIF tile, the fields and choices and their
    // captions agree.
    QString formLook() const
    {
        const bool on = page->createGifButton->tileEnabled;
        for (QWidget *control :
             std::initializer_list<QWidget *>{page->startTimeEdit, page->durationEdit,
                                              page->widthEdit, page->heightEdit,
                                              page->frameRateComboBox, page->coloursCheckBox}) {
            if (control->isEnabled() != on)
                return "mixed";
        }
        for (QLabel *caption : {page->startTimeLabel, page->frameRateLabel}) {
            if (caption->styleSheet().contains("#b4b4b4") == on)
                return "mixed";
        }
        return on ? "enabled" : "disabled";
    }

    // How many colours the GIF's first frame shows.
    int firstFrameColours(const QString &gif)
    {
        DecodedGif decoded;
        if (!decodeGif(gif, &decoded) || decoded.frames.isEmpty())
            return -1;
        QSet<QRgb> colours;
        const QImage &frame = decoded.frames.first().canvas;
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x)
                colours.insert(frame.pixel(x, y));
        }
        return colours.size();
    }

#ifdef Q_OS_UNIX
    // Starts converting slow.mkv, which the tool reads from a pipe that delivers half of the
    // video and then stays open, and waits until the tool has written some GIF: it is
    // certainly still running then.
    bool startStalledConversion(QProcess *feeder)
    {
        const QString slow = videos + "/slow.mkv";
        const QString half = videos + "/slow-half.mkv";
        if (!QFileInfo::exists(half)) {
            if (!makeVideo(slow, 320, 240, 20) || !importVideo("slow.mkv"))
                return false;
            const QByteArray whole = readFile(slow);
            if (!writeFile(half, whole.left(whole.size() / 2)) || !QFile::remove(slow)
                || mkfifo(QFile::encodeName(slow).constData(), 0600) != 0)
                return false;
        }
        // The shell opens the pipe itself: opening it here would block until the tool reads.
        feeder->start("sh", {"-c", "exec > \"$2\"; cat \"$1\"; exec sleep 300", "feeder",
                             half, slow});
        fillForm("0:00", "0");
        answerer.dialogs.clear();
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        return QTest::qWaitFor(
            [this] {
                const QStringList parts = QDir(output).entryList({"slow*.gif.*.part"});
                return !parts.isEmpty() && QFileInfo(output + "/" + parts.first()).size() > 0;
            },
            toolTimeout);
    }
#endif

    // Makes the videos and starts the window on the video page.
    void startVideoPage()
    {
        videos = temp.path() + "/videos";
        output = temp.path() + "/out";
        QVERIFY(QDir().mkpath(videos) && QDir().mkpath(output));
        QVERIFY(makeVideo(videos + "/clip.part1.mp4", 320, 240, 3));
        QVERIFY(QFile::copy(videos + "/clip.part1.mp4", videos + "/clip.part2.mp4"));
        QVERIFY(makeVideo(videos + "/small.mp4", 200, 150, 1));
        QVERIFY(makeVideo(videos + "/wide.mp4", 640, 360, 1));
        QVERIFY(makeVideo(videos + "/tall.mp4", 360, 640, 1));
        QVERIFY(makeVideo(videos + "/flat.mp4", 64, 48, 1, "color=c=0x3366cc:"));
        QVERIFY(runFfmpeg({"-f", "lavfi", "-i", "sine", "-t", "1", "-f", "mp4",
                           videos + "/audio.mp4"}));
        QVERIFY(writeFile(videos + "/junk.mp4", "this is not a video\n"));
        QVERIFY(writeFile(videos + "/empty.mp4", ""));
        startWindow();
        page = window->videoWidget;
        window->menuWidget->savePath = output;
        FileChooser::answerOpenFile([this](const QString &, const QString &dir, auto &&...) {
            ++chooserCalls;
            chooserFolders << dir;
            return chosenVideo;
        });
        window->switchPage(2);
    }
};

#endif
