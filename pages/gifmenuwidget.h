#ifndef GIFMENUWIDGET_H
#define GIFMENUWIDGET_H

#include <QString>
#include <QWidget>

class QLabel;
class MyTempButton2;
class ParseGifThread;

// The start page: the three mode tiles, the output folder row and Resolve GIF.
class GifMenuWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifMenuWidget(QWidget *parent = nullptr);
    ~GifMenuWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    // Stops a running Resolve GIF job and waits for it: the frames it wrote and the folder
    // it made are removed again, and its end is not reported.
    void cancelJob();
    // Starts Resolve GIF on a GIF file, as choosing it with the "Resolve GIF" tile does.
    void resolveGif(const QString &path);

    QString savePath;
    ParseGifThread *parseGifThread = nullptr;
    MyTempButton2 *gifPhotoButton = nullptr;
    MyTempButton2 *gifVideoButton = nullptr;
    MyTempButton2 *gifParseButton = nullptr;
    QLabel *saveToLabel = nullptr;
    QLabel *savePathLabel = nullptr;
    MyTempButton2 *outputSelectButton = nullptr;
    MyTempButton2 *outputOpenButton = nullptr;

private slots:
    void gifPhotoButton_slots();
    void gifVideoButton_slots();
    void gifParseButton_slots();
    void outputSelectButton_slots();
    void outputOpenButton_slots();
    void parseGifThread_Finished();
    void parseGifThread_progress(int progress);

private:
    bool jobStopped = false;
};

#endif
