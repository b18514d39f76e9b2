// The video page end to end, with the real ffmpeg and ffprobe and videos made here by ffmpeg
// itself.
#include "pages/thumbnailfit.h"
#include "support/filesizelimit.h"
#include "support/gifdecoder.h"
#include "ui/uitesthelpers.h"

#include <QCryptographicHash>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const int toolTimeout = 120000;
const QString failedText = "Failed, Please check the parameters. [OK]";
const QString notAVideoText = "Failed, Please check the video file. [OK]";

bool runFfmpeg(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + arguments);
    return ffmpeg.waitForFinished(toolTimeout) && ffmpeg.exitCode() == 0;
}

bool makeVideo(const QString &path, int width, int height, int seconds,
               const QString &source = "testsrc=")
{
    return runFfmpeg({"-f", "lavfi", "-i",
                      QString("%1size=%2x%3:rate=25").arg(source).arg(width).arg(height), "-t",
                      QString::number(seconds), "-pix_fmt", "yuv420p", path});
}

// "name md5" for every file in a folder, to tell that a job left it exactly as it was.
QStringList folderState(const QString &folder)
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
QStringList childTools()
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

} // namespace

class TestGifVideoWidget : public PageTest
{
    Q_OBJECT

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

private slots:
    void initTestCase()
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

    void cleanupTestCase() { stopWindow(); }

    void thumbnailIsFittedAndEnablesTheForm_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<QRect>("placement");
        QTest::addColumn<QString>("facts");
        QTest::newRow("200 x 150 natural and centred")
            << "small.mp4" << QRect(129, 224, 200, 150) << QString::fromUtf8("00:00:01 · 200 × 150");
        QTest::newRow("640 x 360 fitted to the width")
            << "wide.mp4" << QRect(0, 171, 457, 257) << QString::fromUtf8("00:00:01 · 640 × 360");
        QTest::newRow("360 x 640 fitted to the height")
            << "tall.mp4" << QRect(61, 0, 336, 598) << QString::fromUtf8("00:00:01 · 360 × 640");
    }

    void thumbnailIsFittedAndEnablesTheForm()
    {
        QFETCH(QString, video);
        window->switchPage(2);
        QCOMPARE(formLook(), QString("disabled"));
        QVERIFY(page->addVideosButton->tileEnabled && page->backupmeuButton->tileEnabled);
        QVERIFY(importVideo(video));
        QVERIFY(!page->thumbLabel->isHidden());
        QTEST(page->thumbLabel->geometry(), "placement");
        QTEST(page->clipFactsLabel->text(), "facts");
        QCOMPARE(formLook(), QString("enabled"));
        QVERIFY(answerer.dialogs.isEmpty());
        // The folder is remembered with its trailing slash, and the chooser opens there; the
        // very first time it opened in the "Save to:" folder. No still is left behind.
        QCOMPARE(readSetting(Setting::addVideoPath), videos + "/");
        QCOMPARE(chooserFolders.first(), output);
        QCOMPARE(chooserFolders.last(), chooserFolders.size() == 1 ? output : videos + "/");
        QCOMPARE(QDir(tempFolder()).entryList(QDir::Files), QStringList());
    }

    void thumbnailFitsToTheFramesEdge()
    {
        // The real videos above cover the three cases; this is the edge of the frame.
        QCOMPARE(thumbnailPlacement(QSize(456, 100), QSize(458, 599)), QRect(1, 249, 456, 100));
    }

    void notAVideoLeavesTheFormAsItWas()
    {
        QVERIFY(importVideo("small.mp4"));
        const QImage thumbnail = shownThumbnail();
        for (const char *video : {"junk.mp4", "empty.mp4", "audio.mp4"}) {
            QVERIFY(importVideo(video));
            QCOMPARE(answerer.dialogs, QStringList{notAVideoText});
            QCOMPARE(formLook(), QString("enabled"));
            QCOMPARE(shownThumbnail(), thumbnail);
            QCOMPARE(page->clipFactsLabel->text(), QString::fromUtf8("00:00:01 · 200 × 150"));
        }

        // On the fresh page the form stays disabled.
        QTest::mouseClick(page->backupmeuButton, Qt::LeftButton);
        QTest::qWait(300);
        QVERIFY(page->thumbLabel->isHidden() && page->clipFactsLabel->isHidden());
        window->switchPage(2);
        QVERIFY(importVideo("junk.mp4"));
        QCOMPARE(answerer.dialogs, QStringList{notAVideoText});
        QCOMPARE(formLook(), QString("disabled"));
    }

    void thumbnailFollowsTheStartTime()
    {
        page->startTimeEdit->setText("0");
        QVERIFY(importVideo("clip.part1.mp4"));
        const QImage atStart = shownThumbnail();
        // Typing waits for a pause; the form stays usable meanwhile.
        page->startTimeEdit->selectAll();
        QTest::keyClicks(page->startTimeEdit, "2");
        QVERIFY(window->loadingWidget->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(shownThumbnail() != atStart, 10000);
        page->startTimeEdit->selectAll();
        QTest::keyClicks(page->startTimeEdit, "0");
        QTRY_COMPARE_WITH_TIMEOUT(shownThumbnail(), atStart, 10000);
        // Past the clip's end the thumbnail stays, and the field says why while it is typed.
        QVERIFY(page->startTimeEdit->toolTip().isEmpty());
        QTest::keyClicks(page->startTimeEdit, "9");
        QCOMPARE(page->startTimeEdit->toolTip(), QString("past the end of the clip (00:00:03)"));
        QVERIFY(page->startTimeEdit->property("problem").toBool());
        QTest::qWait(800);
        QCOMPARE(shownThumbnail(), atStart);
        QTest::keyClicks(page->startTimeEdit, "x");
        QCOMPARE(page->startTimeEdit->toolTip(), QString("not a time: seconds, m:ss or h:mm:ss"));
        QTest::keyClick(page->startTimeEdit, Qt::Key_Backspace);
        QTest::keyClick(page->startTimeEdit, Qt::Key_Backspace);
        QVERIFY(page->startTimeEdit->toolTip().isEmpty());
        QVERIFY(!page->startTimeEdit->property("problem").toBool());
        QCOMPARE(QDir(tempFolder()).entryList(QDir::Files), QStringList());
    }

    void conversionWritesTheGifAndOffersTheFolder()
    {
        QVERIFY(importVideo("clip.part1.mp4"));
        // An earlier GIF of the clip stays; the new one has a name of its own beside it.
        const QString earlier = output + "/clip.part1.gif";
        const QString gif = output + "/clip.part1_2.gif";
        QVERIFY(writeFile(earlier, "an earlier GIF of the clip"));
        // The duration field takes a decimal point as typed; width alone keeps proportions.
        page->durationEdit->clear();
        QTest::keyClicks(page->durationEdit, "1.5");
        QCOMPARE(page->durationEdit->text(), QString("1.5"));
        // One part is plain seconds: 1 s of the 3 s clip is left after it.
        page->startTimeEdit->setText("2");
        page->widthEdit->setText("160");
        page->heightEdit->setText("0");
        QVERIFY(createGif());
        QCOMPARE(answerer.dialogs,
                 QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        QCOMPARE(overlayText(window), QString("Create GIF: 100.00% "));
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.canvasSize, QSize(160, 120));
        // 1 second at 15 frames a second.
        QVERIFY2(qAbs(decoded.frames.size() - 15) <= 1,
                 qPrintable(QString::number(decoded.frames.size())));
        QTRY_COMPARE_WITH_TIMEOUT(fileText(opened), "1 " + output + "\n", 10000);
        QCOMPARE(QDir(output).entryList({"*.part"}), QStringList());
        QCOMPARE(fileText(earlier), QString("an earlier GIF of the clip"));

        // A language change keeps start and duration as they ran and resets the size.
        window->retranslateAll();
        QCOMPARE(QStringList({page->startTimeEdit->text(), page->durationEdit->text(),
                              page->widthEdit->text(), page->heightEdit->text()}),
                 QStringList({"00:00:02", "1.5", "0", "0"}));
        QCOMPARE(formLook(), QString("enabled"));

        // A video whose name differs only after its first dot gets a GIF of its own.
        const QStringList before = folderState(output);
        QVERIFY(importVideo("clip.part2.mp4"));
        QVERIFY(createGif("0", "0.2"));
        QCOMPARE(folderState(output).filter("clip.part1.gif"), before.filter("clip.part1.gif"));
        // A fifth of a second: a handful of frames, not the whole clip.
        QVERIFY(decodeGif(output + "/clip.part2.gif", &decoded));
        QVERIFY2(decoded.frames.size() < 10, qPrintable(QString::number(decoded.frames.size())));
    }

    void unusableFormIsRefusedBeforeTheToolStarts_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("fromClip");
        QTest::addColumn<QString>("notice");
        QTest::newRow("start not a time")
            << "1:x" << "1" << "0" << "0" << false
            << "Failed, Start Time: not a time: seconds, m:ss or h:mm:ss [OK]";
        QTest::newRow("start past the end")
            << "90" << "1" << "0" << "0" << false
            << "Failed, Start Time: past the end of the clip (00:00:03) [OK]";
        QTest::newRow("too long") << "0" << "10001" << "0" << "0" << false << failedText;
        QTest::newRow("too wide") << "0" << "1" << "9999" << "0" << false << failedText;
        QTest::newRow("too high") << "0" << "1" << "0" << "4097" << false << failedText;
        QTest::newRow("too much for the palette pass")
            << "0" << "0" << "4096" << "4096" << true
            << "Failed, the GIF is too long or too large for High quality colours. [OK]";
    }

    void unusableFormIsRefusedBeforeTheToolStarts()
    {
        QFETCH(bool, fromClip);
        // Still the 3 s clip of the test before.
        QCOMPARE(page->clipFactsLabel->text(), QString::fromUtf8("00:00:03 · 320 × 240"));
        const QStringList before = folderState(output);
        page->coloursCheckBox->setChecked(fromClip);
        QFETCH(QString, start);
        QFETCH(QString, duration);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QVERIFY(createGif(start, duration, width, height));
        page->coloursCheckBox->setChecked(false);
        QTEST(answerer.dialogs.join(""), "notice");
        QCOMPARE(folderState(output), before);
    }

    void frameRateAndColoursAreChosenAndRemembered()
    {
        QVERIFY(importVideo("flat.mp4"));
        const QString gif = output + "/flat.gif";
        // The tool's fixed palette dots a flat colour; the clip's own palette holds it.
        QVERIFY(createGif("0", "0"));
        QVERIFY(firstFrameColours(gif) > 1);
        QTest::mouseClick(page->coloursCheckBox, Qt::LeftButton);
        page->frameRateComboBox->setFocus();
        QTest::keyClick(page->frameRateComboBox, Qt::Key_Up); // 15 -> 10
        QTest::keyClick(page->frameRateComboBox, Qt::Key_Up); // 10 -> 5
        QVERIFY(createGif("0", "0"));
        const QString second = output + "/flat_2.gif";
        QCOMPARE(firstFrameColours(second), 1);
        DecodedGif decoded;
        QVERIFY(decodeGif(second, &decoded));
        QVERIFY2(qAbs(decoded.frames.size() - 5) <= 1,
                 qPrintable(QString::number(decoded.frames.size())));

        GifVideoWidget fresh;
        fresh.retranslateUi();
        QCOMPARE(fresh.frameRateComboBox->currentText(), QString("5Frame/s"));
        QVERIFY(fresh.coloursCheckBox->isChecked());
        // A language change keeps the choice.
        window->retranslateAll();
        QCOMPARE(page->frameRateComboBox->currentText(), QString("5Frame/s"));
        QTest::mouseClick(page->coloursCheckBox, Qt::LeftButton);
        page->frameRateComboBox->setCurrentIndex(2);
        QVERIFY(!readSetting(Setting::videoHighQualityColours));
    }

    // Below 100 the tool only decodes and our encoder writes the GIF: the flat colour that
    // the tool's fixed palette dots comes out whole, with progress per frame.
    void qualityBelow100IsWrittenByOurEncoder()
    {
        QVERIFY(importVideo("flat.mp4"));
        // Earlier GIFs of the clip would make this one flat_3.gif.
        for (const QString &earlier : QDir(output).entryList({"flat*.gif"}))
            QVERIFY(QFile::remove(output + "/" + earlier));
        const QString gif = output + "/flat.gif";
        page->qualitySpinBox->setFocus();
        page->qualitySpinBox->selectAll();
        QTest::keyClicks(page->qualitySpinBox, "70");
        QCOMPARE(readSetting(Setting::videoQuality), 70);
        QVERIFY(!page->coloursCheckBox->isEnabled());
        QVERIFY(createGif("0", "0"));
        QCOMPARE(answerer.dialogs,
                 QStringList{"completed, do you want to open the folder? [Cancel|Open]"});
        QCOMPARE(overlayText(window), QString("Create GIF: 100.00% "));
        QCOMPARE(firstFrameColours(gif), 1);
        DecodedGif decoded;
        QVERIFY(decodeGif(gif, &decoded));
        QCOMPARE(decoded.frames.size(), 15);
        QCOMPARE(decoded.canvasSize, QSize(64, 48));

        GifVideoWidget fresh;
        fresh.retranslateUi();
        QCOMPARE(fresh.qualitySpinBox->value(), 70);
        page->qualitySpinBox->setValue(100);
        QVERIFY(page->coloursCheckBox->isEnabled());
    }

    void noTemporaryFolderIsReported()
    {
        QVERIFY(importVideo("small.mp4"));
        // A file where the temporary folder should be.
        const QByteArray saved = qgetenv("TMPDIR");
        const QString blocked = temp.path() + "/not-a-folder";
        QVERIFY(writeFile(blocked, "x"));
        QVERIFY(QDir(tempFolder()).removeRecursively());
        qputenv("TMPDIR", blocked.toUtf8());
        const bool done = importVideo("wide.mp4");
        qputenv("TMPDIR", saved);
        QVERIFY(done);
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed, the temporary folder could not be created. [OK]"});
        QCOMPARE(page->thumbLabel->geometry(), QRect(129, 224, 200, 150));
    }

    void missingToolIsReportedAndEndsTheBusyState()
    {
    #ifdef Q_OS_WIN
        QSKIP("the stand-in tool relies on a file without execute permission");
    #else
        QVERIFY(importVideo("clip.part1.mp4"));
        // An "ffmpeg" beside the program that cannot run.
        QTemporaryDir brokenInstall;
        QVERIFY(writeFile(brokenInstall.path() + "/ffmpeg", "not a program"));
        const QString saved = appDirPath;
        appDirPath = brokenInstall.path();
        const QStringList before = folderState(output);
        const bool done = createGif("0:01", "1");
        appDirPath = saved;
        QVERIFY(done);
        QCOMPARE(answerer.dialogs,
                 QStringList{"Failed, the video tool (ffmpeg) could not be started. [OK]"});
        QVERIFY(window->loadingWidget->isHidden());
        QCOMPARE(formLook(), QString("enabled"));
        QCOMPARE(folderState(output), before);
    #endif
    }

    // An output folder gone since it was chosen is made again; one that cannot be made is
    // named.
    void outputFolderIsMadeAgainOrNamed()
    {
        QVERIFY(importVideo("small.mp4"));
        answerer.pressRight = false;
        window->menuWidget->savePath = output + "/gone/again";
        QVERIFY(createGif("0", "0.2"));
        QVERIFY(QFileInfo(output + "/gone/again/small.gif").size() > 0);

        QVERIFY(writeFile(output + "/plain", ""));
        window->menuWidget->savePath = output + "/plain/sub";
        QVERIFY(createGif("0", "0.2"));
        window->menuWidget->savePath = output;
        answerer.pressRight = true;
        QCOMPARE(answerer.dialogs, QStringList{"Failed, the output folder " + output
                                               + "/plain/sub could not be created. [OK]"});
        QVERIFY(QDir(output + "/gone").removeRecursively() && QFile::remove(output + "/plain"));
    }

    void failedRunLeavesTheEarlierGifAsItWas()
    {
    #ifndef Q_OS_UNIX
        QSKIP("limits and stops the tool through POSIX calls");
    #else
        QVERIFY(importVideo("clip.part1.mp4"));
        QVERIFY(createGif("0", "0.5"));
        const QStringList before = folderState(output);
        // A file size limit, which the tool inherits, kills it part-way like a full disk.
        bool done;
        {
            const FileSizeLimit limit(20000, false);
            QVERIFY(limit.active());
            done = createGif("0:01", "2");
        }
        QVERIFY(done);
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QCOMPARE(folderState(output), before);

        // Stopped from outside, the tool exits with an error code.
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));
        const QStringList tools = childTools();
        QVERIFY(!tools.isEmpty() && kill(tools.first().toInt(), SIGTERM) == 0);
        const bool ended = QTest::qWaitFor([this] { return !answerer.dialogs.isEmpty(); },
                                           toolTimeout);
        feeder.kill();
        feeder.waitForFinished();
        QVERIFY(ended);
        QCOMPARE(answerer.dialogs, QStringList{failedText});
        QCOMPARE(folderState(output), before);
    #endif
    }

    void cancelStopsTheToolAtOnceAndKeepsTheFolder()
    {
    #ifndef Q_OS_UNIX
        QSKIP("feeds the tool through a named pipe");
    #else
        QVERIFY(writeFile(output + "/slow.gif", "the user's earlier GIF"));
        const QStringList before = folderState(output);
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));
        QElapsedTimer clock;
        clock.start();
        window->cancelRunningJob();
        QVERIFY(childTools().isEmpty());
        QVERIFY(clock.elapsed() < 2000);
        QTest::qWait(400);
        QVERIFY(answerer.dialogs.isEmpty() && window->loadingWidget->isHidden());
        QCOMPARE(folderState(output), before);
        page->cancelJob(); // nothing runs: nothing happens
        feeder.kill();
        feeder.waitForFinished();

        // A stand-in ffprobe takes the pipe for a video; the still then waits for data and
        // is called off the same way, leaving no still file behind.
        QTemporaryDir install;
        QVERIFY(writeFile(install.path() + "/ffprobe",
                          "#!/bin/sh\necho '{\"streams\":[{\"width\":320,\"height\":240}]}'\n"));
        QVERIFY(QFile::setPermissions(install.path() + "/ffprobe",
                                      QFile::ReadOwner | QFile::ExeOwner));
        const QString saved = appDirPath;
        appDirPath = install.path();
        feeder.start("sh", {"-c", "exec > \"$1\"; exec sleep 300", "feeder",
                            videos + "/slow.mkv"});
        chosenVideo = videos + "/slow.mkv";
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(tempFolder()).entryList({"thumb-*"}).isEmpty(), 10000);
        appDirPath = saved;
        QVERIFY(!window->loadingWidget->isHidden() && !childTools().isEmpty());
        window->cancelRunningJob();
        QVERIFY(childTools().isEmpty());
        QTest::qWait(400);
        QVERIFY(answerer.dialogs.isEmpty() && window->loadingWidget->isHidden());
        QCOMPARE(QDir(tempFolder()).entryList(QDir::Files), QStringList());
        QCOMPARE(formLook(), QString("enabled"));
        feeder.kill();
        feeder.waitForFinished();
    #endif
    }

    void closingDuringConversionLeavesNoUnfinishedFile()
    {
    #ifndef Q_OS_UNIX
        QSKIP("feeds the tool through a named pipe");
    #else
        const QStringList before = folderState(output);
        QProcess feeder;
        QVERIFY(startStalledConversion(&feeder));

        // A second start while the tool runs is ignored: no chooser, no new job.
        const int callsBefore = chooserCalls;
        QTest::mouseClick(page->addVideosButton, Qt::LeftButton);
        QTest::mouseClick(page->createGifButton, Qt::LeftButton);
        QCOMPARE(chooserCalls, callsBefore);

        window->close();
        QVERIFY(childTools().isEmpty());
        QCOMPARE(folderState(output), before);
        QTest::qWait(300);
        QVERIFY(answerer.dialogs.isEmpty());
        feeder.kill();
        feeder.waitForFinished();
    #endif
    }
};

LUMORRA_UI_TEST_MAIN(TestGifVideoWidget)
#include "tst_gifvideowidget.moc"
