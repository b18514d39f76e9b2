#ifndef GIFJOBCHOICES_H
#define GIFJOBCHOICES_H

#include "encoder/gifoptions.h"

#include <QSize>

// Where a picture smaller than the canvas goes (see placedRect in framecompose.h): at the
// top-left corner, in the middle, or scaled as large as fits with its proportions kept and
// centred. The rest of the canvas is clear.
enum class Placement { TopLeft, Centred, ScaledToFit };

// What a user chooses for a GIF of pictures: the images page's controls and the options of
// `lumorra create` set it, and it reaches the worker whole. A new choice is a field here.
struct GifJobChoices
{
    int frameRate = 10;   // frames per second, MinFrameRate to MaxFrameRate
    Placement placement = Placement::TopLeft;
    // The size pictures are drawn at (see resizedPicture in framecompose.h): 0 x 0 keeps
    // their own; a width or a height alone (the other 0) keeps their proportions; both fit
    // them within that box, proportions kept.
    QSize resize = QSize(0, 0);
    GifOptions encoding;  // how the encoder writes the frames
    // The GIF must not be larger, in bytes; 0 for no limit. The job then lowers the quality
    // level, then the size, then the number of frames, as far as it must (see sizefitter.h).
    qint64 maxBytes = 0;
};

#endif
