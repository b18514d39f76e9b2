#ifndef GIFWRITER_H
#define GIFWRITER_H

#include "workers/gifjob.h"
#include "workers/joboutcome.h"

#include <QString>

#include <functional>
#include <memory>

class FrameReadAhead;
class PartialFile;
struct GifEncoder;
struct GifFileState;

// Writes the GIF of a job beside its place (workers/partialfile.h) and leaves it there, for
// the caller to put in its place or drop. Frames given as files are read when the write
// reaches them, on other threads while the frames before are encoded; every picture becomes
// the frame composeOnCanvas makes of it, shrunk to the job's gifSize. The encoder honours
// alpha (GifOptions::alpha) when some frame may show clear pixels (framesMayBeClear). A
// job's frame stream is read as its frames arrive and thinned as the job says, each frame
// that stays showing for the frames dropped after it too.
class GifWriter
{
public:
    // Asked after every frame with the frames known to be in the file and the bytes they and
    // the header take (the last frame or two may still be on their way): true stops the
    // write there (a size limit that will not be met).
    using OverLimit = std::function<bool(int frames, qint64 bytes)>;
    // Asked likewise after every frame that goes on, given frames encoded so far: the
    // quality level of the frames to come (see setGifStreamQuality; none at level 100).
    using NextLevel = std::function<int(int given, int frames, qint64 bytes)>;

    // stopped is asked before every frame; progress receives ten-thousandths of the write.
    GifWriter(std::function<bool()> stopped, std::function<void(int)> progress);

    // Completed: *file holds the whole GIF. Stopped also when overLimit stopped it
    // (cutAtLimit() tells).
    JobOutcome write(const GifJob &job, std::unique_ptr<PartialFile> *file,
                     const OverLimit &overLimit = {}, const NextLevel &nextLevel = {});

    bool cutAtLimit() const { return cut; }
    // The bytes written when the write was cut.
    qint64 bytesAtCut() const { return cutBytes; }
    // The frames known to be in the file when it was cut.
    int framesAtCut() const { return cutFrames; }
    // The picture that could not be read, when the outcome is Unreadable.
    QString unreadableFile;
    // Why the GIF could not even be started, when the system said; may be empty.
    QString writeError;

private:
    JobOutcome writeFrames(const GifJob &job, const GifEncoder &encoder, GifFileState *state,
                           FrameReadAhead *frames);
    JobOutcome writeStreamFrames(const GifJob &job, const GifEncoder &encoder,
                                 GifFileState *state);
    // Encodes one frame and asks the limit; an outcome other than Completed ends the write.
    JobOutcome encode(const GifEncoder &encoder, GifFileState *state, const QImage &frame,
                      int delay);

    std::function<bool()> stopped;
    std::function<void(int)> progress;
    OverLimit overLimit;
    NextLevel nextLevel;
    int framesGiven = 0;
    bool cut = false;
    qint64 cutBytes = 0;
    int cutFrames = 0;
};

#endif
