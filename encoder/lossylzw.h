#ifndef LOSSYLZW_H
#define LOSSYLZW_H

#include "encoder/framearea.h"
#include "encoder/framepalette.h"
#include "encoder/qualitystate.h"

// Chooses the indices the LZW coder writes for the pixels inside area and records in shown
// (canvasWidth pixels per row) what a viewer then sees there. The pass follows the coder's
// strings: where the string matched so far has a continuation whose last colour is near
// enough to the pixel's picture (within the level's tolerance per pixel and budget per
// string, see visibleDifference), the pixel takes it, so strings grow longer and the frame
// shorter; elsewhere the pixel keeps the index the mapping gave it. A pixel ends a string
// only when no continuation is near enough, its own index included, so the coder, walking
// the indices chosen, ends the same strings and builds the same table. indices holds the
// mapping's choice (0 where the pixel keeps what is shown), width per row; rgba the
// frame's pixels; coveredWidth the canvas drawn before this frame (transparency shows
// nothing elsewhere).
// The mapping may still be under way: before looking at a row the pass calls
// awaitRows(rowsArgument, row), which returns once every row of area above row is mapped.
// The pass looks at the same pixels whatever the order the rows come in, so the indices
// chosen never depend on it.
typedef void (*AwaitRows)(void *rowsArgument, int row);
void chooseLzwIndices(QualityState *quality, const FramePalette *palette,
                      const unsigned char *rgba, int width, FrameArea area,
                      unsigned char *indices, unsigned char *shown, int canvasWidth,
                      const int *coveredWidth, AwaitRows awaitRows, void *rowsArgument);

#endif
