#ifndef PALETTEBUILDER_H
#define PALETTEBUILDER_H

#include "encoder/framearea.h"
#include "encoder/palettetree.h"

#include <cstddef>

// Copies the RGB of the frame pixels that differ from the canvas buffer prev (indexed by
// canvas position) to the front of work, in row-major order, and returns their number.
// A pixel outside the covered staircase always counts as changed. changed receives the
// smallest rectangle that holds them, empty when there are none.
size_t collectChangedPixels(const unsigned char *prev, const int *coveredWidth,
                            int canvasWidth, const unsigned char *rgba, int width, int height,
                            unsigned char *work, FrameArea *changed);

#endif
