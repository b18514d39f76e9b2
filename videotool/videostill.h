#ifndef VIDEOSTILL_H
#define VIDEOSTILL_H

#include <QImage>
#include <QObject>
#include <QProcess>

// Takes one still of a video with the video tool, without blocking the caller. Each still
// goes through a file of its own in the temporary folder, removed once read.
class VideoStill : public QObject
{
    Q_OBJECT

public:
    explicit VideoStill(QObject *parent = nullptr);
    ~VideoStill() override;

    // Starts taking the frame at atMs with ffmpeg (see videoToolPath), dropping a still still
    // being taken; the still passes through a file in tempFolder. False, and nothing
    // started, when the temporary folder cannot be written.
    bool start(const QString &ffmpeg, const QString &video, qint64 atMs,
               const QString &tempFolder);
    // Stops a running still; finished() is not emitted for it.
    void cancel();

signals:
    // The still, or a null image when the tool made none.
    void finished(const QImage &still);
    void toolFailedToStart();

private:
    void stillProcess_Finished();
    void stillProcess_Error(QProcess::ProcessError error);

    QProcess stillProcess;
    QString stillPath;
};

#endif
