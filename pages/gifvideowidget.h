#ifndef GIFVIDEOWIDGET_H
#define GIFVIDEOWIDGET_H

#include <QProcess>
#include <QWidget>

class QIntValidator;
class QLabel;
class QLineEdit;
class MyTempButton2;

// The Create GIF from Video page: a video's thumbnail on the left, the conversion form on
// the right. The external video tool makes both the thumbnail and the GIF.
class GifVideoWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifVideoWidget(QWidget *parent = nullptr);
    ~GifVideoWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    // The enabled or disabled look of "Create GIF" and the four fields.
    void setControlsEnabled(bool on);
    void enterPage();
    // Ends a running video tool and removes its unfinished output; no dialog.
    void cancelJob();

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
    QWidget *thumbArea = nullptr;
    QWidget *thumbFrame = nullptr;
    QLabel *thumbLabel = nullptr;

private slots:
    void addVideosButton_slots();
    void createGifButton_slots();
    void backupmeuButton_slots();
    void convertProcess_StandardOutput_slots();
    void convertProcess_Finished(int exitCode, QProcess::ExitStatus exitStatus);
    void showvideoThumb_slots();
    void convertProcess_Error(QProcess::ProcessError error);

private:
    enum ProcessMode { NoJob = 0, ThumbnailJob = 1, ConversionJob = 2 };

    void extractThumbnail();
    // Shows the busy overlay and starts the tool for a job.
    void startTool(ProcessMode mode, const QStringList &arguments, const QString &busyText);
    QString thumbnailPath() const;

    int startSeconds = 0;
    int durationSeconds = 0;
    QProcess convertProcess;
    ProcessMode processMode = NoJob;
    QString videoPath;
    QString outputPath;
    bool formEnabled = false;
    QIntValidator *durationValidator = nullptr;
    QIntValidator *widthValidator = nullptr;
    QIntValidator *heightValidator = nullptr;
};

#endif
