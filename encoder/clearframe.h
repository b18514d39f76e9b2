#ifndef CLEARFRAME_H
#define CLEARFRAME_H

#include "encoder/giffilestate.h"

// Clear pixels in a GIF (GifOptions::alpha). A transparent index leaves a pixel as it is
// shown, and only one thing makes a shown pixel clear again: the frame before is disposed
// of ("restore to background"), which clears that frame's whole rectangle once it has been
// shown. So the write of each frame is held back until the next frame is seen; when the
// next one has a clear pixel where a colour is shown, the held frame is disposed of over a
// rectangle that holds every such pixel, and the pixels of that rectangle that must show a
// colour are drawn again.

// Before a frame (canvas-sized) is encoded: decides how the held frame is disposed of and
// writes it, then returns the frame as the palette and the mapping must see it: a clear
// pixel takes the colour it is compared with (so it is transparent and takes no place in
// the palette), and where the viewer shows nothing, the colour compared with is changed,
// far from the pixel's, so that the pixel is drawn, and shownClear marks it DrawnOverClear
// until finishClearFrame; shownClear then describes the canvas after the frame. A quality
// level that lets pixels near the compared colour stay transparent keeps clear pixels clear
// and draws the others.
const unsigned char *prepareClearFrame(GifFileState *state, const unsigned char *rgba,
                                       unsigned char transparentIndex);

// Once the frame is mapped: the pixels it drew over clear ones show their colour.
void finishClearFrame(GifFileState *state);

// Writes the held frame, if any, leaving it in place: the last frame of a file.
void releaseHeldFrame(GifFileState *state);

#endif
