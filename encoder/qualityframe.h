#ifndef QUALITYFRAME_H
#define QUALITYFRAME_H

#include "encoder/framearea.h"
#include "encoder/framepalette.h"
#include "encoder/giffilestate.h"
#include "encoder/qualitylevel.h"

#include <cstddef>

// The steps of a frame below level 100, called by GifEncoder::encodeFrame in place of its
// own. A pixel is drawn only where its picture differs visibly from what is shown (and, in
// a smaller file, changed at all); the palette is a median split refined towards the
// pixels' clusters, in a space weighed as the eye sees colours, with fewer entries the
// lower the level; the pixels get their nearest entries, and then the indices that let the
// LZW coder's strings run longest within the level's tolerance. What a viewer then sees is
// recorded in previousFrame exactly, from the indices the coder writes.

// The bits per index a frame of the level needs, at most depth.
int qualityDepth(const QualityLevel &level, int depth);

// Marks in indices (width per row) the pixels to draw and to keep (see
// collectVisibleChanges), builds and refines the palette from the ones to draw and returns
// their number; changed receives the smallest rectangle that holds them. As buildPalette,
// may leave the helper a task to wait for.
size_t prepareQualityFrame(GifFileState *state, const unsigned char *rgba, int width,
                           int height, int depth, FramePalette *palette,
                           unsigned char *indices, FrameArea *changed);

// Maps the pixels marked inside written and chooses the indices the LZW coder writes for
// them (see chooseLzwIndices), recording what is then shown. The helper maps bands of rows
// ahead while this thread chooses; a large frame is chosen in two parts at once, the lower
// by the helper. Returns the row of written where the coder's table must start again for
// the second part (see writeFrameBlocks), -1 when there is one part.
int mapAndChooseQualityFrame(GifFileState *state, const unsigned char *rgba, int width,
                             FrameArea written, const FramePalette *palette,
                             unsigned char *indices);

#endif
