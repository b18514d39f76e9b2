#ifndef PALETTETREE_H
#define PALETTETREE_H

#include "encoder/partitionkernels.h"

#include <cstddef>

struct FramePalette;

// The median split that builds a frame's palette and its k-d tree, on pixels it reorders
// freely (4 bytes each; the 4th never compared).

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
