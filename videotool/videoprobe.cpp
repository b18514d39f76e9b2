#include "videotool/videoprobe.h"

#include "videotool/stopprocess.h"
#include "videotool/videotoolcommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Whether the stream is shown turned a quarter: the video tool turns its frames upright, so
// they come out with width and height swapped.
bool turnedAQuarter(const QJsonObject &stream)
{
    for (const QJsonValue &data : stream.value(QStringLiteral("side_data_list")).toArray()) {
        const int degrees = data.toObject().value(QStringLiteral("rotation")).toInt();
        if (qAbs(degrees) % 180 == 90)
            return true;
    }
    return false;
}

VideoFacts factsFromJson(const QByteArray &json)
{
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    const QJsonObject stream = root.value(QStringLiteral("streams")).toArray().first().toObject();
    VideoFacts facts;
    facts.size = QSize(stream.value(QStringLiteral("width")).toInt(),
                       stream.value(QStringLiteral("height")).toInt());
    if (turnedAQuarter(stream))
        facts.size.transpose();
    facts.kind = facts.size.isEmpty() ? VideoFacts::NotVideo : VideoFacts::Video;
    const QString seconds =
        root.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration")).toString();
    facts.durationMs = qMax<qint64>(0, qRound64(seconds.toDouble() * 1000));
    return facts;
}

// What a probe that has ended tells. ffprobe fails on data it cannot read and lists no
// stream for a clip without pictures.
VideoFacts factsOfEndedProbe(QProcess *probe)
{
    if (probe->exitStatus() == QProcess::CrashExit)
        return VideoFacts();
    if (probe->exitCode() != 0)
        return VideoFacts{VideoFacts::NotVideo, QSize(), 0};
    return factsFromJson(probe->readAllStandardOutput());
}

}

VideoFacts probeVideo(const QString &ffprobe, const QString &video)
{
    QProcess probe;
    probe.setStandardErrorFile(QProcess::nullDevice());
    probe.start(ffprobe, probeArguments(video), QIODevice::ReadOnly);
    if (!probe.waitForFinished(-1))
        return VideoFacts();
    return factsOfEndedProbe(&probe);
}

VideoProbe::VideoProbe(QObject *parent) : QObject(parent)
{
    probeProcess.setStandardErrorFile(QProcess::nullDevice());
    connect(&probeProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &VideoProbe::probeProcess_Finished);
    connect(&probeProcess, &QProcess::errorOccurred, this, &VideoProbe::probeProcess_Error);
}

VideoProbe::~VideoProbe()
{
    cancel();
}

void VideoProbe::start(const QString &ffprobe, const QString &video)
{
    probeProcess.start(ffprobe, probeArguments(video),
                       QIODevice::ReadOnly);
}

void VideoProbe::cancel()
{
    stopProcess(probeProcess);
}

void VideoProbe::probeProcess_Finished()
{
    emit finished(factsOfEndedProbe(&probeProcess));
}

void VideoProbe::probeProcess_Error(QProcess::ProcessError error)
{
    if (error == QProcess::FailedToStart)
        emit finished(VideoFacts());
}
