#ifndef PALETTEBUILDER_H
#define PALETTEBUILDER_H

#include "encoder/framearea.h"
#include "encoder/framepalette.h"
#include "encoder/partitionkernels.h"

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

// Median split of the n pixels over entries first to end - 1, recording each split at node.
void buildPaletteTree(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
                      int splitDistance, int node, FramePalette *palette);

// Chooses the axis of node over the n pixels, selects the split position in proportion to
// the entries on each side, records the split and returns the number of pixels on the left.
size_t splitPaletteNode(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
                        int node, FramePalette *palette);

// Reorders pixels left to right - 1 so that the one at target has the value it would have
// if they were sorted on the axis, smaller or equal values before it, greater after it.
void medianSelect(unsigned char *pixels, size_t left, size_t right, int axis, size_t target);

// Partitions pixels left to right - 1 around the value of the pixel at pivot and returns
// the pivot's final position. Values equal to it go alternately to either side. Every
// kernel gives the same order.
size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot, PartitionKernel kernel = fastestPartitionKernel());

#endif
