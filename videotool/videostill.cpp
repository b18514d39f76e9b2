#include "videotool/videostill.h"

#include "videotool/stopprocess.h"
#include "videotool/videotoolcommand.h"

#include <QFile>
#include <QTemporaryFile>

VideoStill::VideoStill(QObject *parent) : QObject(parent)
{
    stillProcess.setStandardOutputFile(QProcess::nullDevice());
    stillProcess.setStandardErrorFile(QProcess::nullDevice());
    connect(&stillProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &VideoStill::stillProcess_Finished);
    connect(&stillProcess, &QProcess::errorOccurred, this, &VideoStill::stillProcess_Error);
}

VideoStill::~VideoStill()
{
    cancel();
}

bool VideoStill::start(const QString &ffmpeg, const QString &video, qint64 atMs,
                       const QString &tempFolder)
{
    cancel();
    const QString folder = tempFolder;
    if (folder.isEmpty())
        return false;
    // A name of its own, so that a still of an earlier video never passes for this one.
    QTemporaryFile file(folder + QStringLiteral("/thumb-XXXXXX.jpg"));
    file.setAutoRemove(false);
    if (!file.open())
        return false;
    stillPath = file.fileName();
    file.close();
    stillProcess.start(ffmpeg, stillArguments(video, atMs, stillPath));
    return true;
}

void VideoStill::cancel()
{
    stopProcess(stillProcess);
    if (!stillPath.isEmpty())
        QFile::remove(stillPath);
    stillPath.clear();
}

void VideoStill::stillProcess_Finished()
{
    const QImage still(stillPath);
    QFile::remove(stillPath);
    stillPath.clear();
    emit finished(still);
}

void VideoStill::stillProcess_Error(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return;
    cancel();
    emit toolFailedToStart();
}
