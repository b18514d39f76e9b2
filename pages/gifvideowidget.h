#ifndef GIFVIDEOWIDGET_H
#define GIFVIDEOWIDGET_H

#include "videotool/videoconversion.h"
#include "videotool/videoprobe.h"

#include <QProcess>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QImage;
class QIntValidator;
class QLabel;
class QLineEdit;
class QRegularExpressionValidator;
class QSpinBox;
class MyTempButton2;
class SizeLimitBox;
class VideoStill;
struct GifSettings;

// The Create GIF from Video page: a video's thumbnail and facts on the left, the conversion
// form on the right. The external video tool reads the clip, takes the thumbnail and makes
// the GIF.
class GifVideoWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifVideoWidget(QWidget *parent = nullptr);
    ~GifVideoWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    // The enabled or disabled look of "Create GIF" and the form's fields and choices.
    void setControlsEnabled(bool on);
    void enterPage();
    // Ends a running video tool and removes its unfinished output; no dialog.
    void cancelJob();
    // Imports a video file, as choosing it with "Import Video" does.
    void importVideo(const QString &path);

    MyTempButton2 *addVideosButton = nullptr;
    MyTempButton2 *createGifButton = nullptr;
    MyTempButton2 *backupmeuButton = nullptr;
    QLabel *startTimeLabel = nullptr;
    QLabel *durationLabel = nullptr;
    QLineEdit *startTimeEdit = nullptr;
    QLineEdit *durationEdit = nullptr;
    QLabel *widthLabel = nullptr;
    QLabel *heightLabel = nullptr;
    QLineEdit *widthEdit = nullptr;
    QLineEdit *heightEdit = nullptr;
    QLabel *frameRateLabel = nullptr;
    QComboBox *frameRateComboBox = nullptr;
    QCheckBox *coloursCheckBox = nullptr;
    QLabel *qualityLabel = nullptr;
    QSpinBox *qualitySpinBox = nullptr;
    QLabel *sizeLimitLabel = nullptr;
    SizeLimitBox *sizeLimitBox = nullptr;
    QWidget *thumbArea = nullptr;
    QWidget *thumbFrame = nullptr;
    QLabel *thumbLabel = nullptr;
    QLabel *clipFactsLabel = nullptr;

private slots:
    void addVideosButton_slots();
    void createGifButton_slots();
    void backupmeuButton_slots();
    void videoConversion_toolOutput(const QByteArray &output);
    void videoConversion_updateprogress(int progress);
    void videoConversion_Finished(VideoConversion::Outcome outcome);
    void videoProbe_Finished(const VideoFacts &facts);
    void showvideoThumb_slots(const QImage &still);
    void videoStill_ToolFailedToStart();
    void stillTimer_timeout();
    void frameRateComboBox_slots(int index);
    void coloursCheckBox_slots(bool on);
    void qualitySpinBox_slots(int quality);

private:
    // Reads the form; false, after telling the user, when it cannot be run as shown.
    bool readForm(GifSettings *settings);
    // Starts the conversion and shows the busy overlay.
    void startConversion(const GifSettings &settings);
    // Marks the start time field when its text cannot be used for the clip, saying why.
    void markStartTime();
    void showThumbnail(const QImage &still);
    void showClipFacts();
    // The "High quality colours" choice, which only the video tool's own GIF takes.
    void showColoursChoice();
    void endImport();

    qint64 startMs = 0;
    qint64 durationMs = 0;
    QProcess convertProcess;
    // Declared after the process it drives, so that it is destroyed first.
    VideoConversion videoConversion{&convertProcess};
    VideoProbe *videoProbe = nullptr;
    VideoStill *videoStill = nullptr;
    QTimer stillTimer;
    QString videoPath;
    VideoFacts videoFacts;
    // The video being imported and what the probe said of it, taken on only once its
    // thumbnail has shown.
    QString importPath;
    VideoFacts importFacts;
    bool importing = false;
    QString outputPath;
    bool formEnabled = false;
    QRegularExpressionValidator *durationValidator = nullptr;
    QIntValidator *widthValidator = nullptr;
    QIntValidator *heightValidator = nullptr;
};

#endif
