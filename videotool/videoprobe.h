#ifndef VIDEOPROBE_H
#define VIDEOPROBE_H

#include <QObject>
#include <QProcess>
#include <QSize>

// What ffprobe tells of a clip.
struct VideoFacts
{
    // Unknown when ffprobe could not run: the clip may still be a video.
    enum Kind { Unknown, Video, NotVideo };
    Kind kind = Unknown;
    QSize size;             // as shown: a clip turned a quarter has its sides swapped
    qint64 durationMs = 0; // 0 when the clip does not say
};

// Reads a clip's picture size and length with ffprobe (see videoToolPath), waiting for it.
VideoFacts probeVideo(const QString &ffprobe, const QString &video);

// Reads a clip's picture size and length with ffprobe, without blocking the caller.
class VideoProbe : public QObject
{
    Q_OBJECT

public:
    explicit VideoProbe(QObject *parent = nullptr);
    ~VideoProbe() override;

    // ffprobe: the program to run (see videoToolPath).
    void start(const QString &ffprobe, const QString &video);
    // Stops a running probe; finished() is not emitted for it.
    void cancel();

signals:
    void finished(const VideoFacts &facts);

private:
    void probeProcess_Finished();
    void probeProcess_Error(QProcess::ProcessError error);

    QProcess probeProcess;
};

#endif
