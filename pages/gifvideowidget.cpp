#include "pages/gifvideowidget.h"

#include "app/filechooser.h"
#include "app/mainmainwidget.h"
#include "app/openfolder.h"
#include "app/services.h"
#include "app/uiscale.h"
#include "pages/gifmenuwidget.h"
#include "pages/thumbnailfit.h"
#include "pages/videotoolcommand.h"
#include "widgets/messagequestions.h"
#include "widgets/mytempbutton2.h"
#include "widgets/picturebackground.h"
#include "widgets/tilestyle.h"

#include <QFile>
#include <QFileInfo>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>
#include <QtDebug>

GifVideoWidget::GifVideoWidget(QWidget *parent) : QWidget(parent)
{
    thumbArea = new QWidget(this);
    thumbFrame = new QWidget(thumbArea);
    thumbLabel = new QLabel(thumbArea);
    addVideosButton = new MyTempButton2(this);
    createGifButton = new MyTempButton2(this);
    backupmeuButton = new MyTempButton2(this);
    startTimeLabel = new QLabel(this);
    durationLabel = new QLabel(this);
    startTimeEdit = new QLineEdit(this);
    durationEdit = new QLineEdit(this);
    widthLabel = new QLabel(this);
    heightLabel = new QLabel(this);
    widthEdit = new QLineEdit(this);
    heightEdit = new QLineEdit(this);

    durationValidator = new QIntValidator(0, 10000, this);
    widthValidator = new QIntValidator(0, 4096, this);
    heightValidator = new QIntValidator(0, 4096, this);
    durationEdit->setValidator(durationValidator);
    widthEdit->setValidator(widthValidator);
    heightEdit->setValidator(heightValidator);

    connect(addVideosButton, &MyTempButton2::clicked, this, &GifVideoWidget::addVideosButton_slots);
    connect(createGifButton, &MyTempButton2::clicked, this, &GifVideoWidget::createGifButton_slots);
    connect(backupmeuButton, &MyTempButton2::clicked, this, &GifVideoWidget::backupmeuButton_slots);
    connect(&convertProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this, &GifVideoWidget::convertProcess_Finished);
    connect(&convertProcess, &QProcess::readyReadStandardOutput,
            this, &GifVideoWidget::convertProcess_StandardOutput_slots);
    connect(&convertProcess, &QProcess::errorOccurred, this, &GifVideoWidget::convertProcess_Error);

    thumbLabel->hide();
}

GifVideoWidget::~GifVideoWidget()
{
    // The paths die before the process, whose destructor would still report to us.
    cancelJob();
}

void GifVideoWidget::initLayout()
{
    const int w = width();
    const int h = height();
    const int column = w - scaled(115);
    thumbArea->setGeometry(scaled(10), scaled(10), w - scaled(140), h - scaled(20));
    thumbFrame->setGeometry(0, 0, thumbArea->width(), thumbArea->height());
    addVideosButton->setGeometry(column, scaled(30), scaled(100), scaled(30));
    createGifButton->setGeometry(column, scaled(80), scaled(100), scaled(30));
    backupmeuButton->setGeometry(column, h - scaled(40), scaled(100), scaled(30));
    startTimeLabel->setGeometry(column, scaled(130), scaled(100), scaled(28));
    startTimeEdit->setGeometry(column, scaled(160), scaled(100), scaled(28));
    durationLabel->setGeometry(column, scaled(190), scaled(100), scaled(28));
    durationEdit->setGeometry(column, scaled(220), scaled(100), scaled(28));
    widthLabel->setGeometry(column, scaled(280), scaled(100), scaled(28));
    widthEdit->setGeometry(column, scaled(310), scaled(100), scaled(28));
    heightLabel->setGeometry(column, scaled(340), scaled(100), scaled(28));
    heightEdit->setGeometry(column, scaled(370), scaled(100), scaled(28));
}

void GifVideoWidget::initStyle()
{
    thumbFrame->setStyleSheet("QWidget{border: 1px solid #232323;background-color:#3c3c3c;}");
    styleTile(addVideosButton);
    styleTile(createGifButton);
    styleTile(backupmeuButton);
}

void GifVideoWidget::retranslateUi()
{
    addVideosButton->setText(tr("Import Video"));
    createGifButton->setText(tr("Create GIF"));
    backupmeuButton->setText(tr("Backup"));

    startTimeLabel->setText(tr("Start Time:"));
    durationLabel->setText(tr("Duration: (sec)"));
    widthLabel->setText(tr("GIF Width:"));
    heightLabel->setText(tr("GIF Height:"));
    for (QLabel *caption : {startTimeLabel, durationLabel, widthLabel, heightLabel})
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    startTimeEdit->setText(QTime(0, 0, 0).addSecs(startSeconds).toString("hh:mm:ss"));
    durationEdit->setText(QString::number(durationSeconds));
    widthEdit->setText("0");
    heightEdit->setText("0");

    // Re-applying the current look also sets the caption and field styles at this scale.
    setControlsEnabled(formEnabled && !videoPath.isEmpty());
}

void GifVideoWidget::setControlsEnabled(bool on)
{
    formEnabled = on;
    createGifButton->setEnabledStyle(on);
    const QString fontSize = QString::number(scaled(12));
    const QString textColor = on ? "#ffffff" : "#b4b4b4";
    const QString captionStyle = "QLabel{font-size:" + fontSize + "px;color:" + textColor + ";}";
    const QString fieldStyle = "QLineEdit{ color: " + textColor + ";font-size:" + fontSize
                               + "px;background-color:#646464;border-radius: 0px;}";
    for (QLabel *caption : {startTimeLabel, durationLabel, widthLabel, heightLabel})
        caption->setStyleSheet(captionStyle);
    for (QLineEdit *field : {startTimeEdit, durationEdit, widthEdit, heightEdit}) {
        field->setEnabled(on);
        field->setStyleSheet(fieldStyle);
    }
}

void GifVideoWidget::enterPage()
{
    show();
    setControlsEnabled(false);
    videoPath.clear();
}

void GifVideoWidget::cancelJob()
{
    if (convertProcess.state() == QProcess::NotRunning)
        return;
    // No finish handling and no dialogs while the window goes away.
    const QSignalBlocker quiet(convertProcess);
    convertProcess.kill();
    convertProcess.waitForFinished();
    if (processMode == ConversionJob)
        QFile::remove(outputPath);
}

void GifVideoWidget::addVideosButton_slots()
{
    if (convertProcess.state() != QProcess::NotRunning)
        return;
    const QString path = FileChooser::openFile(this, tr("Add Video File"),
                                               folderFromSettings("addVideoPath"),
                                               "Video (*.mp4 *.mkv *.webm *.mpeg *.avi *.mov)");
    if (path.isEmpty())
        return;
    rememberFolderOf("addVideoPath", path);
    videoPath = path;
    extractThumbnail();
}

void GifVideoWidget::extractThumbnail()
{
    const QString still = thumbnailPath();
    QFile::remove(still);
    startTool(ThumbnailJob, thumbnailArguments(videoPath, still), tr("Loading..."));
}

void GifVideoWidget::createGifButton_slots()
{
    if (convertProcess.state() != QProcess::NotRunning)
        return;
    outputPath = gifPathForVideo(mainWindow()->menuWidget->savePath, videoPath);
    durationSeconds = durationEdit->text().toInt(nullptr, 10);
    startSeconds = startSecondsFromText(startTimeEdit->text(), startSeconds);
    const int gifWidth = widthEdit->text().toInt(nullptr, 10);
    const int gifHeight = heightEdit->text().toInt(nullptr, 10);

    // An old GIF that cannot be removed would be taken for this run's result, and the
    // tool would wait for ever on its overwrite question.
    if (QFileInfo::exists(outputPath) && !QFile::remove(outputPath)) {
        showNotice(tr("Failed, Please check the parameters."), tr("OK"));
        return;
    }
    startTool(ConversionJob,
              conversionArguments(startSeconds, durationSeconds, videoPath, gifWidth, gifHeight,
                                  outputPath),
              tr("Create GIF..."));
}

void GifVideoWidget::startTool(ProcessMode mode, const QStringList &arguments,
                               const QString &busyText)
{
    // The overlay goes up first: a start failure may be reported before start() returns.
    mainWindow()->showLoading(1);
    mainWindow()->setLoadingText(busyText);
    processMode = mode;
    convertProcess.setProcessChannelMode(QProcess::MergedChannels);
    convertProcess.start(videoToolPath(), arguments, QIODevice::ReadWrite);
}

QString GifVideoWidget::thumbnailPath() const
{
    return tempFolder() + "/thumb.jpg";
}

void GifVideoWidget::backupmeuButton_slots()
{
    thumbLabel->hide();
    setControlsEnabled(false);
    mainWindow()->switchPage(0);
}

void GifVideoWidget::convertProcess_StandardOutput_slots()
{
    // Read everything on each signal so a long conversion's log never piles up here.
    const QByteArray output = convertProcess.readAllStandardOutput();
    const QByteArray errors = convertProcess.readAllStandardError();
    if (!output.isEmpty())
        qDebug("%s", output.constData());
    if (!errors.isEmpty())
        qDebug("erro: %s", errors.constData());
}

void GifVideoWidget::convertProcess_Finished(int exitCode, QProcess::ExitStatus exitStatus)
{
    mainWindow()->showLoading(0);
    if (processMode == ThumbnailJob) {
        QTimer::singleShot(100, this, &GifVideoWidget::showvideoThumb_slots);
        return;
    }
    if (processMode != ConversionJob)
        return;
    // The tool leaves an empty file behind when nothing was encoded (a start past the end),
    // and a cut-off one when it crashed or gave up part-way.
    if (exitStatus == QProcess::CrashExit || exitCode != 0
        || QFileInfo(outputPath).size() == 0) {
        QFile::remove(outputPath);
        showNotice(tr("Failed, Please check the parameters."), tr("OK"));
        return;
    }
    if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"), tr("Open")))
        openFolderInFileBrowser(QFileInfo(outputPath).absolutePath());
}

void GifVideoWidget::convertProcess_Error(QProcess::ProcessError error)
{
    // A tool that never started never finishes: end the busy state here.
    if (error != QProcess::FailedToStart)
        return;
    mainWindow()->showLoading(0);
    showNotice(tr("Failed, the video tool (ffmpeg) could not be started."), tr("OK"));
}

void GifVideoWidget::showvideoThumb_slots()
{
    const QPixmap still(thumbnailPath());
    if (still.isNull())
        return;
    const QRect placement = thumbnailPlacement(still.size(), thumbFrame->size());
    thumbLabel->setGeometry(placement);
    thumbLabel->show();
    setPictureBackground(thumbLabel, still);
    setControlsEnabled(true);
}
