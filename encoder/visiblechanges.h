#ifndef VISIBLECHANGES_H
#define VISIBLECHANGES_H

#include "encoder/colourcelltable.h"
#include "encoder/framearea.h"
#include "encoder/framepalette.h"

#include <cstddef>

// Below level 100 a pixel is drawn only when its picture is visibly different from what is
// shown there: still areas cost nothing, and their noise is not redrawn frame after frame.

// Marks each frame pixel in marks (width per row): 0 where it keeps what is shown, 1 where
// it must be drawn, which pixels never drawn always are, and 2 where it may be drawn: kept
// pixels in short runs between drawn ones. A pixel keeps what is shown when that is at most
// keepTolerance from its picture (see visibleDifference), or at most stillTolerance when
// its picture is exactly the one last given there (picture), which then takes the frame's
// pixels. clear, when not null, is the canvas' shownClear (see clearpixel.h): the pixels
// drawn over clear ones are always drawn. Copies the pixels that are or may be drawn, in
// eye space (see eyespace.h), to the front of work and returns their number; changed
// receives the smallest rectangle that holds them. shown and picture describe the canvas,
// canvasWidth pixels per row.
size_t collectVisibleChanges(int keepTolerance, int stillTolerance, const unsigned char *shown,
                             unsigned char *picture, const int *coveredWidth,
                             const unsigned char *clear, int canvasWidth,
                             const unsigned char *rgba, int width, int height,
                             unsigned char *work, unsigned char *marks, FrameArea *changed);

// Maps the marked pixels inside area to their nearest palette entry (searched in eye
// space), writing the entries over the marks. A pixel marked as one that may be drawn stays
// kept (0) unless its entry is nearer to its picture than what is shown. palette holds the
// colours written, cells searches them.
void mapVisibleChanges(const unsigned char *shown, int canvasWidth, const unsigned char *rgba,
                       int width, FrameArea area, unsigned char *indices,
                       const FramePalette *palette, ColourCellTable *cells);

#endif
