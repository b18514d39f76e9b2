#include "pages/gifmenuwidget.h"

#include "app/filechooser.h"
#include "app/mainmainwidget.h"
#include "app/openfolder.h"
#include "app/progresstext.h"
#include "app/services.h"
#include "app/uiscale.h"
#include "widgets/messagequestions.h"
#include "widgets/mytempbutton2.h"
#include "widgets/tilestyle.h"
#include "workers/parsegifthread.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMovie>

GifMenuWidget::GifMenuWidget(QWidget *parent) : QWidget(parent)
{
    gifPhotoButton = new MyTempButton2(this);
    gifVideoButton = new MyTempButton2(this);
    gifParseButton = new MyTempButton2(this);
    saveToLabel = new QLabel(this);
    savePathLabel = new QLabel(this);
    outputSelectButton = new MyTempButton2(this);
    outputOpenButton = new MyTempButton2(this);

    connect(gifPhotoButton, SIGNAL(clicked()), this, SLOT(gifPhotoButton_slots()));
    connect(gifVideoButton, SIGNAL(clicked()), this, SLOT(gifVideoButton_slots()));
    connect(gifParseButton, SIGNAL(clicked()), this, SLOT(gifParseButton_slots()));
    connect(outputSelectButton, SIGNAL(clicked()), this, SLOT(outputSelectButton_slots()));
    connect(outputOpenButton, SIGNAL(clicked()), this, SLOT(outputOpenButton_slots()));

    parseGifThread = new ParseGifThread;
    connect(parseGifThread, SIGNAL(finished()), this, SLOT(parseGifThread_Finished()));
    connect(parseGifThread, SIGNAL(updateprogress(int)), this,
            SLOT(parseGifThread_progress(int)));

    savePath = folderFromSettings(QStringLiteral("SavePath"));
}

GifMenuWidget::~GifMenuWidget()
{
    cancelJob();
    delete parseGifThread;
}

void GifMenuWidget::initLayout()
{
    const int w = width();
    const int h = height();
    const int tileX = (w - scaled(220)) / 2;
    gifPhotoButton->setGeometry(tileX, scaled(80), scaled(220), scaled(35));
    gifVideoButton->setGeometry(tileX, scaled(180), scaled(220), scaled(35));
    gifParseButton->setGeometry(tileX, scaled(280), scaled(220), scaled(35));
    saveToLabel->setGeometry(scaled(30), h - scaled(90), scaled(200), scaled(30));
    // The path field ends one pixel inside the "..." tile so that their borders overlap.
    savePathLabel->setGeometry(scaled(30), h - scaled(60), w - scaled(200) - scaled(30) + 1,
                               scaled(30));
    outputSelectButton->setGeometry(w - scaled(200), savePathLabel->y(), scaled(40),
                                    scaled(30));
    outputOpenButton->setGeometry(w - scaled(150), savePathLabel->y(), scaled(120),
                                  scaled(30));
}

void GifMenuWidget::initStyle()
{
    styleTile(gifPhotoButton, TileLook::Bold);
    styleTile(gifVideoButton, TileLook::Bold);
    styleTile(gifParseButton, TileLook::Bold);
    styleTile(outputSelectButton, TileLook::Spaced);
    styleTile(outputOpenButton, TileLook::Plain);
}

void GifMenuWidget::retranslateUi()
{
    gifPhotoButton->setText(tr("Create GIF from Images"));
    gifVideoButton->setText(tr("Create GIF from Video"));
    gifParseButton->setText(tr("Resolve GIF"));

    const int fontSize = scaled(12);
    saveToLabel->setStyleSheet(
        QStringLiteral("QLabel{font-size:%1px;color:#ffffff;font-weight:700;}").arg(fontSize));
    saveToLabel->setText(tr("Save to:"));
    saveToLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    savePathLabel->setStyleSheet(QStringLiteral("QLabel{font-size:%1px;color:#ffffff;"
                                                "background-color:#646464; border: 1px solid "
                                                "#787878;}")
                                     .arg(fontSize));
    savePathLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    savePathLabel->setText(savePath);

    outputSelectButton->setText(QStringLiteral("..."));
    outputOpenButton->setText(tr("Open Saved Folder"));
}

void GifMenuWidget::cancelJob()
{
    if (!parseGifThread->isRunning())
        return;
    jobStopped = true;
    parseGifThread->requestStop();
    parseGifThread->wait();
}

void GifMenuWidget::gifPhotoButton_slots()
{
    mainWindow()->switchPage(1);
}

void GifMenuWidget::gifVideoButton_slots()
{
    mainWindow()->switchPage(2);
}

void GifMenuWidget::gifParseButton_slots()
{
    const QString path =
        FileChooser::openFile(this, tr("Add GIF File"),
                              folderFromSettings(QStringLiteral("addGIFPath")),
                              QStringLiteral("Image (*.gif)"));
    if (path.isEmpty())
        return;
    if (!QMovie(path).isValid())
        return;

    rememberFolderOf(QStringLiteral("addGIFPath"), path);
    const QString fileName = QFileInfo(path).fileName();

    // Only a real ".gif" ending is cut off; any other name names the folder as it stands,
    // and so does a name that would leave "", "." or ".." (the output folder or its parent).
    QString base = fileName;
    if (fileName.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        base.chop(4);
    if (base.isEmpty() || base == QLatin1String(".") || base == QLatin1String(".."))
        base = fileName;
    QDir(savePath).mkdir(base);

    parseGifThread->gifFilePath = path;
    parseGifThread->pngFolder = savePath + QLatin1Char('/') + base;
    jobStopped = false;
    parseGifThread->start(QThread::InheritPriority);

    mainWindow()->showLoading(1);
    mainWindow()->setLoadingText(tr("Resolve GIF: ") + progressText(0));
}

void GifMenuWidget::outputSelectButton_slots()
{
    const QString current = folderFromSettings(QStringLiteral("SavePath"));
    const QString chosen =
        FileChooser::existingDirectory(this, tr("Select Save Directory"), current);
    if (chosen.isEmpty())
        return;
    savePathLabel->setText(chosen);
    savePath = chosen;
    writeSetting(QStringLiteral("SavePath"), chosen);
}

void GifMenuWidget::outputOpenButton_slots()
{
    openFolderInFileBrowser(savePath);
}

void GifMenuWidget::parseGifThread_Finished()
{
    if (jobStopped)
        return;
    mainWindow()->showLoading(0);
    const QString first = parseGifThread->pngFolder + QStringLiteral("/1.png");
    if (parseGifThread->firstFrameSaved && parseGifThread->everyFrameSaved
        && QFileInfo::exists(first)) {
        if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"),
                        tr("Open")))
            openFolderInFileBrowser(savePath);
    } else {
        showNotice(tr("Failed, Please check the GIF file."), tr("OK"));
    }
}

void GifMenuWidget::parseGifThread_progress(int progress)
{
    mainWindow()->setLoadingText(tr("Resolve GIF: ") + progressText(progress));
}
