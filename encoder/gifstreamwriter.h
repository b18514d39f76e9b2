#ifndef GIFSTREAMWRITER_H
#define GIFSTREAMWRITER_H

#include "encoder/giffilestate.h"
#include "encoder/gifoptions.h"

#include <cstdio>

// Largest canvas side a GIF can store (16-bit sizes).
const int MaxGifSide = 65535;

// Opens utf8Path for writing and writes the header and, when delay is not 0 and the
// options ask for more than one play, the looping extension; the options hold for every
// frame of the file.
// On failure (file not created, canvas side outside 1 to 65535, no memory for the canvas
// buffers) the returned state has no outputFile and no file is left behind.
GifFileState openGifStream(const char *utf8Path, int canvasWidth, int canvasHeight, int delay,
                           const GifOptions &options = GifOptions());

// Writes the trailer, closes the file and releases the buffers. Returns true only when
// every byte reached the file; false when no file was open or anything failed.
bool closeGifStream(GifFileState *state);

// Sets the quality level (1 to 99) of the frames still to come in a file opened below level
// 100, so that a write can follow a size it aims at; a file opened at 100 stays exact.
void setGifStreamQuality(GifFileState *state, int level);

// True when a write to the open file has failed.
bool gifStreamHasError(const GifFileState *state);

#endif
