#ifndef LOSSYLZW_H
#define LOSSYLZW_H

#include "encoder/framearea.h"
#include "encoder/framepalette.h"
#include "encoder/qualitystate.h"

// Chooses the indices the LZW coder writes for the pixels inside area, starting from an
// empty table of strings, and records in shown (canvasWidth pixels per row) what a viewer
// then sees there. The pass follows the coder: wherever a string goes on, it looks among
// the strings the coder knows for the longest continuation whose indices show each pixel
// within the level's tolerance of the pixel's own index (and the string within its budget;
// see visibleDifference), and takes it, so strings grow longer and the frame shorter. A
// string ends only where no continuation is near enough, the pixel's own index included,
// so the coder, walking the indices chosen, ends the same strings and builds the same
// table. indices holds the mapping's choice (0 where the pixel keeps what is shown), width
// per row; rgba the frame's pixels; coveredWidth the canvas drawn before this frame (index
// 0 shows nothing elsewhere); clear, when not null, the canvas' shownClear: pixels shown
// clear must stay so (index 0 alone), pixels drawn over clear ones must not take index 0;
// strings is the pass's own table.
// The mapping may still be under way: before looking at a row the pass calls
// awaitRows(rowsArgument, row), which returns once every row of area above row is mapped.
// The pass looks at the same pixels whatever the order the rows come in, so the indices
// chosen never depend on it.
typedef void (*AwaitRows)(void *rowsArgument, int row);
void chooseLzwIndices(const QualityLevel &level, LzwStrings *strings,
                      const FramePalette *palette, const unsigned char *rgba, int width,
                      FrameArea area, unsigned char *indices, unsigned char *shown,
                      int canvasWidth, const int *coveredWidth, const unsigned char *clear,
                      AwaitRows awaitRows, void *rowsArgument);

#endif
