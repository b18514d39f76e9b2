#ifndef CONVERSIONLIMITS_H
#define CONVERSIONLIMITS_H

#include "videotool/videoprobe.h"
#include "videotool/videotoolcommand.h"

// What a conversion of a clip may be asked, checked before the video tool runs.

// The widest and tallest GIF made from a video.
const int MaxVideoGifSide = 4096;

enum class ConversionProblem {
    None,
    SideTooLarge,           // a width or height over MaxVideoGifSide
    StartPastEnd,           // the start is at or past the clip's end
    TooLargeForClipPalette, // the palette pass would hold too many frames in memory
    SizeNotKnown,           // our encoder needs the GIF's size first, and the clip's is not known
};

// The first thing that keeps the settings from being converted from the clip, whose facts
// may be unknown (then only what the settings alone tell is checked).
ConversionProblem conversionProblem(const GifSettings &settings, const VideoFacts &clip);

// The length of clip the settings cover, to the clip's end when they give no duration; 0
// when not known.
qint64 convertedLengthMs(const GifSettings &settings, const VideoFacts &clip);

#endif
