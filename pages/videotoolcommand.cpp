#include "pages/videotoolcommand.h"

#include "app/appdirpath.h"

#include <QFileInfo>
#include <climits>

QString videoToolPath()
{
#ifdef Q_OS_WIN
    return appDirPath + "/ffmpeg.exe";
#else
    const QString besideProgram = appDirPath + "/ffmpeg";
    return QFileInfo(besideProgram).isFile() ? besideProgram : QString("ffmpeg");
#endif
}

QStringList thumbnailArguments(const QString &video, const QString &stillPath)
{
    return {"-i", video, "-y", "-f", "image2", "-ss", "1", "-t", "0.001", stillPath};
}

QStringList conversionArguments(int startSeconds, int durationSeconds, const QString &video,
                                int width, int height, const QString &gifPath)
{
    QStringList arguments;
    if (startSeconds > 0)
        arguments << "-ss" << QString::number(startSeconds);
    if (durationSeconds > 0)
        arguments << "-t" << QString::number(durationSeconds);
    arguments << "-i" << video << "-r" << "15";
    if (width > 0 && height > 0)
        arguments << "-s" << QString::number(width) + "x" + QString::number(height);
    arguments << gifPath;
    return arguments;
}

int startSecondsFromText(const QString &text, int previousSeconds)
{
    const QStringList parts = text.split(':', Qt::KeepEmptyParts);
    if (parts.size() != 2 && parts.size() != 3)
        return previousSeconds;
    // 64 bits and a clamp: huge hour counts must not overflow into a negative start.
    qint64 seconds = 0;
    for (const QString &part : parts)
        seconds = seconds * 60 + part.toInt(nullptr, 10);
    if (seconds > INT_MAX)
        return INT_MAX;
    if (seconds < INT_MIN)
        return INT_MIN;
    return int(seconds);
}

QString gifPathForVideo(const QString &outputFolder, const QString &video)
{
    return outputFolder + "/" + QFileInfo(video).baseName() + ".gif";
}
