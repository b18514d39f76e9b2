#include "workers/gifwriter.h"

#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "rules/framedelay.h"
#include "workers/encoderpath.h"
#include "workers/framecompose.h"
#include "workers/framereadahead.h"
#include "workers/framethinning.h"
#include "workers/partialfile.h"

GifWriter::GifWriter(std::function<bool()> stopped, std::function<void(int)> progress)
    : stopped(std::move(stopped)), progress(std::move(progress))
{
}

JobOutcome GifWriter::write(const GifJob &job, std::unique_ptr<PartialFile> *file,
                            const OverLimit &limit, const NextLevel &level)
{
    overLimit = limit;
    nextLevel = level;
    framesGiven = 0;
    cut = false;
    unreadableFile.clear();
    GifOptions options = job.choices.encoding;
    std::unique_ptr<FrameReadAhead> frames;
    if (!job.stream) {
        // The first frames are read while the pictures' headers are asked about alpha.
        frames = std::make_unique<FrameReadAhead>(job.frames, job.canvas, job.choices,
                                                  job.gifCanvas());
        options.alpha = framesMayBeClear(job.frames, job.canvas, job.choices);
    }
    // Written beside its place and moved there only when whole: a run that fails, stops
    // or is killed leaves no cut-off GIF under the name, and an earlier file as it was.
    auto output = std::make_unique<PartialFile>(job.gifFilePath);
    writeError = output->errorString();
    if (!output->isOpen())
        return JobOutcome::WriteFailed;
    const QSize gifCanvas = job.gifCanvas();
    GifFileState state = openGifStream(encoderPath(output->path()).constData(), gifCanvas.width(),
                                       gifCanvas.height(), job.delay, options);
    if (!state.outputFile)
        return JobOutcome::WriteFailed;
    JobOutcome outcome;
    {
        // The encoder outlives the stream: the last frame's bytes are written as it closes.
        const GifEncoder encoder;
        outcome = frames ? writeFrames(job, encoder, &state, frames.get())
                         : writeStreamFrames(job, encoder, &state);
        if (!closeGifStream(&state) && outcome == JobOutcome::Completed)
            outcome = JobOutcome::WriteFailed;
    }
    if (outcome == JobOutcome::Completed)
        *file = std::move(output);
    return outcome;
}

JobOutcome GifWriter::encode(const GifEncoder &encoder, GifFileState *state,
                             const QImage &frame, int delay)
{
    // Frames that cannot be stored (empty ones) are skipped.
    encoder.encodeFrame(state, frame.constBits(), frame.width(), frame.height(), delay, 8);
    if (gifStreamHasError(state))
        return JobOutcome::WriteFailed;
    framesGiven++;
    if (!overLimit)
        return JobOutcome::Completed;
    // The last frames may still be on their way to the file: only those known to be written
    // count, so that the same job is cut at the same frame on every run.
    const qint64 bytes = state->settledBytes;
    const int frames = state->settledFrames;
    if (!overLimit(frames, bytes)) {
        if (nextLevel)
            setGifStreamQuality(state, nextLevel(framesGiven, frames, bytes));
        return JobOutcome::Completed;
    }
    cut = true;
    cutBytes = bytes;
    cutFrames = frames;
    return JobOutcome::Stopped;
}

JobOutcome GifWriter::writeFrames(const GifJob &job, const GifEncoder &encoder,
                                  GifFileState *state, FrameReadAhead *frames)
{
    const int n = job.frames.size();
    for (int i = 0; i < n; ++i) {
        if (stopped())
            return JobOutcome::Stopped;
        QImage frame;
        if (!frames->takeNext(&frame)) {
            unreadableFile = job.frames.at(i).path;
            return JobOutcome::Unreadable;
        }
        const JobOutcome outcome = encode(encoder, state, frame, job.frames.at(i).delay);
        if (outcome != JobOutcome::Completed)
            return outcome;
        progress(int(10000LL * (i + 1) / n));
    }
    return JobOutcome::Completed;
}

// A frame is encoded once the next one that stays has come, or the stream has ended: only
// then is its delay known.
JobOutcome GifWriter::writeStreamFrames(const GifJob &job, const GifEncoder &encoder,
                                        GifFileState *state)
{
    FrameStream *stream = job.stream.get();
    const int expected = stream->expectedFrames();
    const int kept = expected > 0 ? job.keptStreamFrames : 0;
    QImage frame;
    QImage held;
    int heldDelay = 0;
    int taken = 0;
    while (stream->takeNext(&frame)) {
        if (stopped())
            return JobOutcome::Stopped;
        const int index = taken++;
        const int delay = delayOfFrame(job.choices.frameRate, index);
        if (kept > 0 && !frameKept(index, kept, expected)) {
            heldDelay = qMin(MaxFrameDelay, heldDelay + delay);
            continue;
        }
        if (index > 0) {
            const JobOutcome outcome = encode(encoder, state, held, heldDelay);
            if (outcome != JobOutcome::Completed)
                return outcome;
        }
        held = shrinkFrame(std::move(frame), job.gifCanvas());
        heldDelay = delay;
        // The count is only expected: the whole is reached when the stream ends.
        if (expected > 0)
            progress(int(qMin<qint64>(9999, 10000LL * taken / expected)));
    }
    if (stopped())
        return JobOutcome::Stopped;
    // A stream that gave no frame must not leave a GIF of none in the place of an earlier one.
    if (stream->failed() || taken == 0)
        return JobOutcome::Unreadable;
    const JobOutcome outcome = encode(encoder, state, held, heldDelay);
    if (outcome != JobOutcome::Completed)
        return outcome;
    progress(10000);
    return JobOutcome::Completed;
}
