#include "pages/gifmenuwidget.h"

#include "app/filechooser.h"
#include "app/mainmainwidget.h"
#include "app/messagequestions.h"
#include "app/openfolder.h"
#include "app/outputfolder.h"
#include "app/progresstext.h"
#include "app/services.h"
#include "app/settings.h"
#include "pages/filedrop.h"
#include "rules/filekinds.h"
#include "widgets/mytempbutton2.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"
#include "workers/framesfolder.h"
#include "workers/giflayout.h"
#include "workers/parsegifthread.h"
#include "workers/partialfile.h"

#include <QLabel>

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

    savePath = folderFromSettings(Setting::savePath);
    // What a run that was killed left in the folder goes; a running one's stays.
    removeStalePartialFiles(savePath);
    // Dropped files open as files handed over from outside do.
    new FileDrop(
        this, [](const FileKinds &kinds) { return kinds.images + kinds.gifs + kinds.videos; },
        [](const QStringList &usable, const QStringList &others) {
            mainWindow()->openFiles(usable + others);
        });
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
                              folderFromSettings(Setting::addGifPath, savePath),
                              chooserFilter(QStringLiteral("Image"), gifSuffixes()));
    if (!path.isEmpty())
        resolveGif(path);
}

void GifMenuWidget::resolveGif(const QString &path)
{
    if (!startsLikeGif(path)) {
        showNotice(tr("Failed, Please check the GIF file."), tr("OK"));
        return;
    }

    rememberFolderOf(Setting::addGifPath, path);
    if (!makeOutputFolder(savePath))
        return;
    parseGifThread->gifFilePath = path;
    parseGifThread->pngFolder = newFramesFolder(savePath, path);
    jobStopped = false;
    parseGifThread->start(QThread::InheritPriority);

    mainWindow()->showLoading(1);
    mainWindow()->setLoadingText(tr("Resolve GIF: ") + progressText(0));
}

void GifMenuWidget::outputSelectButton_slots()
{
    const QString current = folderFromSettings(Setting::savePath);
    const QString chosen =
        FileChooser::existingDirectory(this, tr("Select Save Directory"), current);
    if (chosen.isEmpty())
        return;
    savePathLabel->setText(chosen);
    savePath = chosen;
    writeSetting(Setting::savePath, chosen);
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
    const int kept = parseGifThread->framesKept;
    switch (parseGifThread->outcome) {
    case JobOutcome::Completed:
        if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"),
                        tr("Open")))
            openFolderInFileBrowser(savePath);
        break;
    case JobOutcome::WriteFailed:
        showCannotWriteInto(parseGifThread->pngFolder);
        break;
    default:
        // The frames before the damage are good pictures and stay; the notice says so.
        showNotice(kept == 0   ? tr("Failed, Please check the GIF file.")
                   : kept == 1 ? tr("Failed after 1 frame, Please check the GIF file.")
                               : tr("Failed after %1 frames, Please check the GIF file.")
                                     .arg(kept),
                   tr("OK"));
    }
}

void GifMenuWidget::parseGifThread_progress(int progress)
{
    mainWindow()->setLoadingText(tr("Resolve GIF: ") + progressText(progress));
}
