#include "videotool/videoprobe.h"

#include "videotool/stopprocess.h"
#include "videotool/videotoolcommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

VideoFacts factsFromJson(const QByteArray &json)
{
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    const QJsonObject stream = root.value(QStringLiteral("streams")).toArray().first().toObject();
    VideoFacts facts;
    facts.size = QSize(stream.value(QStringLiteral("width")).toInt(),
                       stream.value(QStringLiteral("height")).toInt());
    facts.kind = facts.size.isEmpty() ? VideoFacts::NotVideo : VideoFacts::Video;
    const QString seconds =
        root.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration")).toString();
    facts.durationMs = qMax<qint64>(0, qRound64(seconds.toDouble() * 1000));
    return facts;
}

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

void VideoProbe::probeProcess_Finished(int exitCode, QProcess::ExitStatus exitStatus)
{
    // ffprobe fails on data it cannot read and lists no stream for a clip without pictures.
    if (exitStatus == QProcess::CrashExit) {
        emit finished(VideoFacts());
        return;
    }
    VideoFacts facts = factsFromJson(probeProcess.readAllStandardOutput());
    if (exitCode != 0)
        facts = VideoFacts{VideoFacts::NotVideo, QSize(), 0};
    emit finished(facts);
}

void VideoProbe::probeProcess_Error(QProcess::ProcessError error)
{
    if (error == QProcess::FailedToStart)
        emit finished(VideoFacts());
}
