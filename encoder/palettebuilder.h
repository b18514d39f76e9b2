#ifndef PALETTEBUILDER_H
#define PALETTEBUILDER_H

#include "encoder/framearea.h"
#include "encoder/palettetree.h"

#include <cstddef>

class FrameHelperThread;
class SubtreeQueue;

// Copies the RGB of the frame pixels that differ from the canvas buffer prev (indexed by
// canvas position) to the front of work, in row-major order, and returns their number.
// A pixel outside the covered staircase always counts as changed. changed receives the
// smallest rectangle that holds them, empty when there are none.
size_t collectChangedPixels(const unsigned char *prev, const int *coveredWidth,
                            int canvasWidth, const unsigned char *rgba, int width, int height,
                            unsigned char *work, FrameArea *changed);

// Median split of the n pixels of work over entries 1 to entries of the palette (at most
// 2^depth - 1, at least 2^(depth - 1)), with the helper, when there is one, taking subtrees
// through the queue; the helper is then left with a task that the caller must wait for
// before the next frame. Entries after the last are not assigned.
void buildFramePalette(unsigned char *work, size_t n, int depth, int entries,
                       FramePalette *palette, FrameHelperThread *helper, SubtreeQueue *subtrees);

#endif
