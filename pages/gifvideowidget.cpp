#include "pages/gifvideowidget.h"

#include "app/appdirpath.h"
#include "app/cannotfitnotice.h"
#include "app/filechooser.h"
#include "app/mainmainwidget.h"
#include "app/messagequestions.h"
#include "app/openfolder.h"
#include "app/outputfolder.h"
#include "app/progresstext.h"
#include "app/services.h"
#include "app/settings.h"
#include "pages/filedrop.h"
#include "pages/gifmenuwidget.h"
#include "pages/sizelimitbox.h"
#include "pages/starttimeproblem.h"
#include "pages/thumbnailfit.h"
#include "rules/filekinds.h"
#include "videotool/conversionlimits.h"
#include "videotool/videostill.h"
#include "videotool/videotimetext.h"
#include "videotool/videotoolcommand.h"
#include "widgets/checkboxstyle.h"
#include "widgets/comboboxstyle.h"
#include "widgets/fieldstyle.h"
#include "widgets/mytempbutton2.h"
#include "widgets/picturebackground.h"
#include "widgets/textfit.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTextLayout>
#include <QtDebug>
#include <algorithm>

namespace {

const int frameRates[] = {5, 10, 15, 20, 25, 30};
// A pause in typing the start time this long brings the thumbnail to it.
const int stillFollowDelayMs = 400;

int storedFrameRate()
{
    const int rate = readSetting(Setting::videoFrameRate);
    return std::find(std::begin(frameRates), std::end(frameRates), rate) != std::end(frameRates)
               ? rate
               : Setting::videoFrameRate.defaultValue;
}

// The text with line breaks where it would run past width in font.
QString wrappedText(const QString &text, const QFont &font, int width)
{
    QTextLayout layout(text, font);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

}

GifVideoWidget::GifVideoWidget(QWidget *parent) : QWidget(parent)
{
    thumbArea = new QWidget(this);
    thumbFrame = new QWidget(thumbArea);
    thumbLabel = new QLabel(thumbArea);
    clipFactsLabel = new QLabel(thumbArea);
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
    frameRateLabel = new QLabel(this);
    frameRateComboBox = new QComboBox(this);
    coloursCheckBox = new QCheckBox(this);
    qualityLabel = new QLabel(this);
    qualitySpinBox = new QSpinBox(this);
    sizeLimitLabel = new QLabel(this);
    sizeLimitBox = new SizeLimitBox(Setting::videoMaxBytes, QIcon(), this);
    videoProbe = new VideoProbe(this);
    videoStill = new VideoStill(this);
    // "Backup" sits below the form, so Tab reaches it last.
    setTabOrder(qualitySpinBox, sizeLimitBox);
    setTabOrder(sizeLimitBox, backupmeuButton);

    durationValidator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,5}(\\.\\d{0,2})?")), this);
    widthValidator = new QIntValidator(0, MaxVideoGifSide, this);
    heightValidator = new QIntValidator(0, MaxVideoGifSide, this);
    durationEdit->setValidator(durationValidator);
    widthEdit->setValidator(widthValidator);
    heightEdit->setValidator(heightValidator);
    coloursCheckBox->setChecked(readSetting(Setting::videoHighQualityColours));
    qualitySpinBox->setRange(Setting::videoQuality.least, Setting::videoQuality.most);
    qualitySpinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    qualitySpinBox->setValue(readSetting(Setting::videoQuality));
    stillTimer.setSingleShot(true);
    stillTimer.setInterval(stillFollowDelayMs);

    connect(addVideosButton, &MyTempButton2::clicked, this, &GifVideoWidget::addVideosButton_slots);
    connect(createGifButton, &MyTempButton2::clicked, this, &GifVideoWidget::createGifButton_slots);
    connect(backupmeuButton, &MyTempButton2::clicked, this, &GifVideoWidget::backupmeuButton_slots);
    connect(&videoConversion, &VideoConversion::toolOutput, this,
            &GifVideoWidget::videoConversion_toolOutput);
    connect(&videoConversion, &VideoConversion::updateprogress, this,
            &GifVideoWidget::videoConversion_updateprogress);
    connect(&videoConversion, &VideoConversion::finished, this,
            &GifVideoWidget::videoConversion_Finished);
    connect(videoProbe, &VideoProbe::finished, this, &GifVideoWidget::videoProbe_Finished);
    connect(videoStill, &VideoStill::finished, this, &GifVideoWidget::showvideoThumb_slots);
    connect(videoStill, &VideoStill::toolFailedToStart, this,
            &GifVideoWidget::videoStill_ToolFailedToStart);
    connect(startTimeEdit, &QLineEdit::textEdited, &stillTimer, QOverload<>::of(&QTimer::start));
    connect(startTimeEdit, &QLineEdit::textChanged, this, &GifVideoWidget::markStartTime);
    connect(&stillTimer, &QTimer::timeout, this, &GifVideoWidget::stillTimer_timeout);
    connect(frameRateComboBox, QOverload<int>::of(&QComboBox::activated), this,
            &GifVideoWidget::frameRateComboBox_slots);
    connect(coloursCheckBox, &QCheckBox::clicked, this, &GifVideoWidget::coloursCheckBox_slots);
    connect(qualitySpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &GifVideoWidget::qualitySpinBox_slots);
    connect(sizeLimitBox, &SizeLimitBox::limitChanged, this, [this] {
        fitComboBoxText(sizeLimitBox, scaled(12));
        showColoursChoice();
    });
    new FileDrop(
        this, [](const FileKinds &kinds) { return kinds.videos.mid(0, 1); },
        [this](const QStringList &videos, const QStringList &) { importVideo(videos.first()); });

    thumbLabel->hide();
    clipFactsLabel->hide();
}

GifVideoWidget::~GifVideoWidget()
{
    // Whatever still runs is stopped silently, before the members it reports to die.
    cancelJob();
}

void GifVideoWidget::initLayout()
{
    const int w = width();
    const int h = height();
    const int column = w - scaled(115);
    thumbArea->setGeometry(scaled(10), scaled(10), w - scaled(140), h - scaled(20));
    thumbFrame->setGeometry(0, 0, thumbArea->width(), thumbArea->height());
    clipFactsLabel->setGeometry(1, thumbArea->height() - 1 - scaled(24), thumbArea->width() - 2,
                                scaled(24));
    addVideosButton->setGeometry(column, scaled(30), scaled(100), scaled(30));
    createGifButton->setGeometry(column, scaled(80), scaled(100), scaled(30));
    backupmeuButton->setGeometry(column, h - scaled(40), scaled(100), scaled(30));
    startTimeLabel->setGeometry(column, scaled(130), scaled(100), scaled(28));
    startTimeEdit->setGeometry(column, scaled(160), scaled(100), scaled(28));
    durationLabel->setGeometry(column, scaled(190), scaled(100), scaled(28));
    durationEdit->setGeometry(column, scaled(220), scaled(100), scaled(28));
    widthLabel->setGeometry(column, scaled(256), scaled(100), scaled(28));
    widthEdit->setGeometry(column, scaled(286), scaled(100), scaled(28));
    heightLabel->setGeometry(column, scaled(316), scaled(100), scaled(28));
    heightEdit->setGeometry(column, scaled(346), scaled(100), scaled(28));
    frameRateLabel->setGeometry(column, scaled(376), scaled(100), scaled(28));
    frameRateComboBox->setGeometry(column, scaled(406), scaled(100), scaled(30));
    coloursCheckBox->setGeometry(column, scaled(446), scaled(100), scaled(36));
    // Caption and field on one row.
    qualityLabel->setGeometry(column, scaled(488), scaled(58), scaled(28));
    qualitySpinBox->setGeometry(column + scaled(58), scaled(488), scaled(42), scaled(28));
    sizeLimitLabel->setGeometry(column, scaled(520), scaled(100), scaled(24));
    sizeLimitBox->setGeometry(column, scaled(546), scaled(100), scaled(30));
}

void GifVideoWidget::initStyle()
{
    thumbFrame->setStyleSheet("QWidget{border: 1px solid #232323;background-color:#3c3c3c;}");
    clipFactsLabel->setStyleSheet(QStringLiteral("QLabel{font-size:%1px;color:#ffffff;"
                                                 "background-color:rgba(35,35,35,170);}")
                                      .arg(scaled(12)));
    clipFactsLabel->setAlignment(Qt::AlignCenter);
    styleTile(addVideosButton);
    styleTile(createGifButton);
    styleTile(backupmeuButton);
    styleComboBox(frameRateComboBox);
    styleComboBox(sizeLimitBox);
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
    frameRateLabel->setText(tr("Frame rate:"));
    sizeLimitLabel->setText(tr("Fit under:"));
    for (QLabel *caption :
         {startTimeLabel, durationLabel, widthLabel, heightLabel, frameRateLabel, sizeLimitLabel})
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    qualityLabel->setText(tr("Quality:"));
    qualityLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    qualitySpinBox->setToolTip(
        tr("1 to 100. Below 100 Lumorra's own encoder writes the GIF, with colours chosen "
           "for every frame."));

    const int rate = frameRateComboBox->count() > 0 ? frameRateComboBox->currentData().toInt()
                                                    : storedFrameRate();
    frameRateComboBox->clear();
    for (int each : frameRates)
        frameRateComboBox->addItem(tr("%1Frame/s").arg(each), each);
    frameRateComboBox->setCurrentIndex(frameRateComboBox->findData(rate));
    fitComboBoxText(frameRateComboBox, scaled(12));
    sizeLimitBox->retranslateUi();
    fitComboBoxText(sizeLimitBox, scaled(12));

    startTimeEdit->setText(startTextFromMs(startMs));
    durationEdit->setText(secondsTextFromMs(durationMs));
    widthEdit->setText("0");
    heightEdit->setText("0");

    // Re-applying the current look also sets the caption, field and option styles at this
    // scale and wraps the option's text to its width.
    setControlsEnabled(formEnabled && !videoPath.isEmpty());
    markStartTime();
}

void GifVideoWidget::setControlsEnabled(bool on)
{
    formEnabled = on;
    createGifButton->setEnabledStyle(on);
    const QString fontSize = QString::number(scaled(12));
    const QString textColor = on ? "#ffffff" : "#b4b4b4";
    const QString captionStyle = "QLabel{font-size:" + fontSize + "px;color:" + textColor + ";}";
    for (QLabel *caption :
         {startTimeLabel, durationLabel, widthLabel, heightLabel, frameRateLabel, qualityLabel,
          sizeLimitLabel})
        caption->setStyleSheet(captionStyle);
    for (QLineEdit *field : {startTimeEdit, durationEdit, widthEdit, heightEdit}) {
        field->setEnabled(on);
        field->setStyleSheet(fieldStyle(scaled(12), on));
    }
    qualitySpinBox->setEnabled(on);
    qualitySpinBox->setStyleSheet(fieldStyle(scaled(12), on).replace("QLineEdit", "QSpinBox"));
    frameRateComboBox->setEnabled(on);
    sizeLimitBox->setEnabled(on);
    showColoursChoice();
}

void GifVideoWidget::showColoursChoice()
{
    // Our encoder chooses every frame's colours itself.
    const bool on = formEnabled && qualitySpinBox->value() == Setting::videoQuality.most
                    && sizeLimitBox->limit() == 0;
    coloursCheckBox->setEnabled(on);
    coloursCheckBox->setStyleSheet(checkBoxStyle(scaled(12), on));
    QFont font = coloursCheckBox->font();
    font.setPixelSize(scaled(12));
    coloursCheckBox->setText(
        wrappedText(tr("High quality colours"), font, checkBoxTextRoom(coloursCheckBox)));
}

void GifVideoWidget::enterPage()
{
    show();
    setControlsEnabled(false);
    videoPath.clear();
    videoFacts = VideoFacts();
    markStartTime();
}

void GifVideoWidget::cancelJob()
{
    stillTimer.stop();
    videoProbe->cancel();
    videoStill->cancel();
    importing = false;
    // No finish handling and no dialogs while the job is called off.
    videoConversion.cancel();
}

void GifVideoWidget::addVideosButton_slots()
{
    if (importing || videoConversion.isRunning())
        return;
    const QString path =
        FileChooser::openFile(this, tr("Add Video File"),
                              folderFromSettings(Setting::addVideoPath,
                                                 mainWindow()->menuWidget->savePath),
                              chooserFilter(QStringLiteral("Video"), videoSuffixes()));
    if (!path.isEmpty())
        importVideo(path);
}

void GifVideoWidget::importVideo(const QString &path)
{
    if (importing || videoConversion.isRunning())
        return;
    rememberFolderOf(Setting::addVideoPath, path);
    // A still of the previous video still on its way must not pass for this one's.
    stillTimer.stop();
    videoStill->cancel();
    importPath = path;
    importing = true;
    mainWindow()->showLoading(1);
    mainWindow()->setLoadingText(tr("Loading..."));
    videoProbe->start(videoToolPath(appDirPath, QStringLiteral("ffprobe")), path);
}

void GifVideoWidget::videoProbe_Finished(const VideoFacts &facts)
{
    if (facts.kind == VideoFacts::NotVideo) {
        endImport();
        showNotice(tr("Failed, Please check the video file."), tr("OK"));
        return;
    }
    importFacts = facts;
    qint64 atMs = 0;
    if (!startTextToMs(startTimeEdit->text(), &atMs)
        || (facts.durationMs > 0 && atMs >= facts.durationMs))
        atMs = 0;
    if (!videoStill->start(videoToolPath(appDirPath), importPath, atMs, tempFolder())) {
        endImport();
        showNotice(tr("Failed, the temporary folder could not be created."), tr("OK"));
    }
}

void GifVideoWidget::showvideoThumb_slots(const QImage &still)
{
    if (!importing) {
        if (!still.isNull() && !videoPath.isEmpty())
            showThumbnail(still);
        return;
    }
    endImport();
    if (still.isNull()) {
        showNotice(tr("Failed, Please check the video file."), tr("OK"));
        return;
    }
    videoPath = importPath;
    videoFacts = importFacts;
    markStartTime();
    showThumbnail(still);
    showClipFacts();
    setControlsEnabled(true);
}

void GifVideoWidget::videoStill_ToolFailedToStart()
{
    if (!importing)
        return;
    endImport();
    showNotice(tr("Failed, the video tool (ffmpeg) could not be started."), tr("OK"));
}

void GifVideoWidget::endImport()
{
    importing = false;
    mainWindow()->showLoading(0);
}

void GifVideoWidget::stillTimer_timeout()
{
    qint64 atMs = 0;
    if (videoPath.isEmpty() || importing || !startTextToMs(startTimeEdit->text(), &atMs)
        || (videoFacts.durationMs > 0 && atMs >= videoFacts.durationMs))
        return;
    videoStill->start(videoToolPath(appDirPath), videoPath, atMs, tempFolder());
}

void GifVideoWidget::markStartTime()
{
    setFieldProblem(startTimeEdit, startTimeProblem(startTimeEdit->text(), videoFacts.durationMs));
}

void GifVideoWidget::showThumbnail(const QImage &still)
{
    const QPixmap picture = QPixmap::fromImage(still);
    thumbLabel->setGeometry(thumbnailPlacement(picture.size(), thumbFrame->size()));
    thumbLabel->show();
    setPictureBackground(thumbLabel, picture);
}

void GifVideoWidget::showClipFacts()
{
    QString facts = QStringLiteral("%1 %2 %3").arg(videoFacts.size.width()).arg(QChar(0x00D7))
                        .arg(videoFacts.size.height());
    if (videoFacts.durationMs > 0)
        facts = clipLengthText(videoFacts.durationMs) + QStringLiteral(" ")
                + QChar(0x00B7) + QStringLiteral(" ") + facts;
    clipFactsLabel->setText(facts);
    clipFactsLabel->setVisible(!videoFacts.size.isEmpty());
}

void GifVideoWidget::createGifButton_slots()
{
    if (importing || videoConversion.isRunning())
        return;
    GifSettings settings;
    if (!readForm(&settings))
        return;
    startMs = settings.startMs;
    durationMs = settings.durationMs;
    startConversion(settings);
}

bool GifVideoWidget::readForm(GifSettings *settings)
{
    settings->width = widthEdit->text().toInt(nullptr, 10);
    settings->height = heightEdit->text().toInt(nullptr, 10);
    settings->frameRate = frameRateComboBox->currentData().toInt();
    settings->paletteFromClip = coloursCheckBox->isChecked();
    settings->quality = qualitySpinBox->value();
    settings->maxBytes = sizeLimitBox->limit();
    const QString startProblem = startTimeProblem(startTimeEdit->text(), videoFacts.durationMs);
    if (!startProblem.isEmpty()) {
        showNotice(tr("Failed, Start Time: %1").arg(startProblem), tr("OK"));
        return false;
    }
    startTextToMs(startTimeEdit->text(), &settings->startMs);
    const bool readable = durationTextToMs(durationEdit->text(), &settings->durationMs);
    const ConversionProblem problem =
        readable ? conversionProblem(*settings, videoFacts) : ConversionProblem::None;
    if (!readable || problem == ConversionProblem::SideTooLarge) {
        showNotice(tr("Failed, Please check the parameters."), tr("OK"));
        return false;
    }
    if (problem == ConversionProblem::TooLargeForClipPalette) {
        showNotice(tr("Failed, the GIF is too long or too large for High quality colours."),
                   tr("OK"));
        return false;
    }
    return true;
}

void GifVideoWidget::startConversion(const GifSettings &settings)
{
    const QString folder = mainWindow()->menuWidget->savePath;
    if (!makeOutputFolder(folder))
        return;
    outputPath = gifPathForVideo(folder, videoPath);
    // The form was checked: what is left to fail is the file beside the GIF.
    if (!videoConversion.start(videoToolPath(appDirPath), videoPath, videoFacts, settings,
                               outputPath)) {
        showCannotWriteInto(folder);
        return;
    }
    mainWindow()->showLoading(1);
    videoConversion_updateprogress(videoConversion.progress());
}

void GifVideoWidget::backupmeuButton_slots()
{
    thumbLabel->hide();
    clipFactsLabel->hide();
    setControlsEnabled(false);
    mainWindow()->switchPage(0);
}

void GifVideoWidget::videoConversion_toolOutput(const QByteArray &output)
{
    qDebug("%s", output.constData());
}

void GifVideoWidget::videoConversion_updateprogress(int progress)
{
    const QString fitting = fittingText(sizeLimitBox->limit());
    mainWindow()->setLoadingText(progress < 0 ? tr("Create GIF...") + fitting
                                              : tr("Create GIF: ") + progressText(progress)
                                                    + fitting);
}

void GifVideoWidget::videoConversion_Finished(VideoConversion::Outcome outcome)
{
    mainWindow()->showLoading(0);
    if (outcome == VideoConversion::Outcome::ToolNotStarted) {
        showNotice(tr("Failed, the video tool (ffmpeg) could not be started."), tr("OK"));
        return;
    }
    if (outcome == VideoConversion::Outcome::NotReplaced
        || outcome == VideoConversion::Outcome::WriteFailed) {
        showCannotWriteInto(QFileInfo(outputPath).absolutePath());
        return;
    }
    if (outcome == VideoConversion::Outcome::CannotFit) {
        showCannotFit(sizeLimitBox->limit(), videoConversion.smallestBytes());
        return;
    }
    if (outcome != VideoConversion::Outcome::Completed) {
        showNotice(tr("Failed, Please check the parameters."), tr("OK"));
        return;
    }
    if (askQuestion(tr("completed, do you want to open the folder?"), tr("Cancel"), tr("Open")))
        openFolderInFileBrowser(QFileInfo(outputPath).absolutePath());
}

void GifVideoWidget::frameRateComboBox_slots(int index)
{
    writeSetting(Setting::videoFrameRate, frameRateComboBox->itemData(index).toInt());
}

void GifVideoWidget::coloursCheckBox_slots(bool on)
{
    writeSetting(Setting::videoHighQualityColours, on);
}

void GifVideoWidget::qualitySpinBox_slots(int quality)
{
    writeSetting(Setting::videoQuality, quality);
    showColoursChoice();
}
