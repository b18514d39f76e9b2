#ifndef VIDEOCONVERSION_H
#define VIDEOCONVERSION_H

#include "videotool/toolprogress.h"
#include "workers/gifcreaterthread.h"

#include <QObject>
#include <QProcess>

#include <memory>

class PartialFile;
class VideoFrameStream;
struct GifSettings;
struct VideoFacts;

// Converts a video to a GIF with the video tool, in a process the caller owns, without
// blocking the caller; when the settings ask for our encoder (encodedByUs), the tool only
// decodes the clip, in a process of its own, and the creation worker writes the GIF. The
// GIF is written beside its place ("NAME.gif.N.part") and takes it only when the run has
// ended well and written frames, so that a failed or cancelled run leaves an earlier GIF of
// the same name as it was.
class VideoConversion : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Completed,      // the GIF is in place
        ToolFailed,     // the tool crashed or ended with an error (no usable clip, full disk)
        NoFrames,       // the tool wrote no frame: nothing of the clip in the range
        NotReplaced,    // the new GIF could not take the place of the file there
        ToolNotStarted, // the tool could not be started at all
        WriteFailed,    // our encoder could not write the GIF (a full disk)
        CannotFit,      // the GIF does not fit its size limit even at the smallest settings
    };
    Q_ENUM(Outcome)

    // process runs every conversion and must outlive this object.
    explicit VideoConversion(QProcess *process, QObject *parent = nullptr);
    ~VideoConversion() override;

    // Starts converting video with ffmpeg (see videoToolPath) into gifPath; clip holds what
    // the probe told of the video, possibly nothing. False, with nothing started and
    // nothing emitted, when conversionProblem() finds one or no file can be made beside
    // gifPath; *reason then says why (in English, for the command line). A conversion still
    // running is called off first. A started run ends with finished(), never before start()
    // has returned.
    bool start(const QString &ffmpeg, const QString &video, const VideoFacts &clip,
               const GifSettings &settings, const QString &gifPath, QString *reason = nullptr);
    // Stops a running conversion at once and removes what it wrote; finished() is not
    // emitted for it.
    void cancel();
    // From start() until finished() or cancel().
    bool isRunning() const { return running; }
    // Ten-thousandths of the conversion done (0 to 10000), or -1 while the length being
    // converted is not known.
    int progress() const;
    // After CannotFit: the least the GIF comes to, as far as known (0 when not).
    qint64 smallestBytes() const { return creater.smallestBytes; }

signals:
    void updateprogress(int progress);
    // Everything the tool prints, standard error included, as it arrives.
    void toolOutput(const QByteArray &output);
    void finished(VideoConversion::Outcome outcome);

private:
    void process_ReadyRead();
    void process_Finished(int exitCode, QProcess::ExitStatus exitStatus);
    void process_Error(QProcess::ProcessError error);
    void startEncoding(const QString &ffmpeg, const QString &video, const VideoFacts &clip,
                       const GifSettings &settings, const QString &gifPath);
    void creater_updateprogress(int progress);
    void creater_Finished();
    Outcome encodingOutcome() const;
    void end(Outcome outcome);

    QProcess *process;
    ToolProgress toolProgress;
    GifCreaterThread creater;
    // The clip's frames while our encoder writes the GIF; null otherwise.
    std::shared_ptr<VideoFrameStream> frameStream;
    int encodedProgress = -1;
    // Where the tool writes, held while it runs.
    std::unique_ptr<PartialFile> partialFile;
    bool running = false;
    // Counts runs, so that an end reported late is not taken for a later run's.
    quint64 runNumber = 0;
};

#endif
