#include "videotool/conversionlimits.h"

namespace {

// The palette pass holds every frame of the GIF in 32-bit colour until the clip's end.
const qint64 PaletteMemoryLimit = qint64(2) << 30;

}

ConversionProblem conversionProblem(const GifSettings &settings, const VideoFacts &clip)
{
    if (settings.width > MaxVideoGifSide || settings.height > MaxVideoGifSide)
        return ConversionProblem::SideTooLarge;
    if (clip.durationMs > 0 && settings.startMs >= clip.durationMs)
        return ConversionProblem::StartPastEnd;
    if (encodedByUs(settings)) {
        if (gifSizeFor(settings.width, settings.height, clip.size).isEmpty())
            return ConversionProblem::SizeNotKnown;
    } else if (settings.paletteFromClip) {
        const QSize size = gifSizeFor(settings.width, settings.height, clip.size);
        const qint64 frames = convertedLengthMs(settings, clip) * settings.frameRate / 1000 + 1;
        if (frames * size.width() * size.height() * 4 > PaletteMemoryLimit)
            return ConversionProblem::TooLargeForClipPalette;
    }
    return ConversionProblem::None;
}

qint64 convertedLengthMs(const GifSettings &settings, const VideoFacts &clip)
{
    if (clip.durationMs <= 0)
        return settings.durationMs;
    const qint64 rest = clip.durationMs - settings.startMs;
    return settings.durationMs > 0 ? qMin(settings.durationMs, rest) : rest;
}
