#ifndef REFERENCEENCODER_H
#define REFERENCEENCODER_H

// The straightforward GIF encoder, kept unchanged as the reference that the fast one must
// match byte for byte. It lives in its own namespace so that it links beside the real one.
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace reference {

// One frame's local colour table and the k-d tree over it, in heap order: node 1 is the
// root, node n has children 2n and 2n + 1, nodes below 2^depth are inner nodes and leaf
// node m stands for palette entry m - 2^depth. Start every frame from a zero-filled one,
// so that entries and nodes the builder never reaches are still valid and deterministic.
struct FramePalette
{
    int depth;                   // bits per index
    unsigned char red[256];      // colour of entry i; entry 0 (transparent) is black
    unsigned char green[256];
    unsigned char blue[256];
    unsigned char splitAxis[256];  // per inner node: 0 red, 1 green, 2 blue
    unsigned char splitValue[256]; // per inner node: channel value at the split
};

// One GIF file being written, from openGifStream to closeGifStream.
struct GifFileState
{
    FILE *outputFile;             // null when opening failed or after closing
    // Per canvas pixel (y * canvasWidth + x), 4 bytes: red, green, blue of what a viewer
    // shows there after the last frame, and the palette index that frame encoded for it.
    unsigned char *previousFrame;
    // Per canvas row, how many pixels from the left some frame has drawn. Frames sit at
    // (0, 0), so the drawn area is a staircase and this describes it exactly; pixels
    // outside it have never been shown and always count as changed.
    int *coveredWidth;
    int canvasWidth;
    int canvasHeight;
    bool firstFrame;              // true until the first frame has been encoded
    bool failed;                  // a buffer could not be allocated; the file is incomplete
};

// Packs LZW codes least significant bit first into one 255-byte GIF sub-block at a time.
struct LzwBitBuffer
{
    uint8_t bitPos;        // bits already placed in partialByte, 0 to 7
    uint8_t partialByte;
    uint32_t blockLength;  // bytes collected in block, 0 to 255
    uint8_t block[256];
};

// Writes animated GIF89a files: a palette of its own per frame, transparency for the
// pixels that already show the right colour, LZW coding, one step after the other.
struct GifEncoder
{
    int transparentIndex = 0;    // the palette index that means "keep what is shown"

    // Encodes one RGBA frame (width * height * 4 bytes, rows without gaps; the 4th byte is
    // ignored) at (0, 0) of the canvas. Returns false, writing nothing, when the state has
    // no open file, the frame is empty or does not fit the canvas, or depth is not 2 to 8;
    // also false when a buffer could not be allocated (the state is then marked failed).
    bool encodeFrame(GifFileState *state, const unsigned char *rgba, int width, int height,
                     int delay, int depth) const;

    // Writes one complete frame: graphic control extension, image descriptor, local colour
    // table and LZW data. indexFrame points at the frame's top-left pixel, 4 bytes per
    // pixel with the palette index in the 4th, rows indexStride pixels apart.
    // Returns false, writing nothing, when the LZW dictionary cannot be allocated.
    bool writeFrameBlocks(FILE *out, const unsigned char *indexFrame, int indexStride,
                          int left, int top, int width, int height, int delay,
                          const FramePalette *palette) const;

    // Fills the palette (entries 1 to 2^depth - 1 and the tree) from the frame's pixels that
    // differ from what is shown; prev null means the first frame, where all pixels count.
    // prev and coveredWidth describe the canvas (canvasWidth pixels per row).
    // Returns false when its work copy cannot be allocated.
    bool buildPalette(const unsigned char *prev, const int *coveredWidth, int canvasWidth,
                      const unsigned char *rgba, int width, int height, int depth,
                      FramePalette *palette) const;

    // Searches the tree from node for the entry nearest to the colour (sum of absolute
    // differences), updating bestIndex and bestDifference where it finds a strictly
    // closer entry. Never returns the transparent entry.
    void nearestPaletteEntry(const FramePalette *palette, int red, int green, int blue,
                             int *bestIndex, int *bestDifference, int node) const;

    // Writes into out (canvas-wide, canvasWidth pixels per row) for every frame pixel the
    // colour now shown and its palette index: the transparent index where prev already
    // shows the exact colour, the nearest entry otherwise. prev may be out itself.
    void mapToPalette(const unsigned char *prev, const int *coveredWidth, int canvasWidth,
                      const unsigned char *rgba, unsigned char *out, int width, int height,
                      const FramePalette *palette) const;
};

// Largest canvas side a GIF can store (16-bit sizes).
const int MaxGifSide = 65535;

// Opens utf8Path for writing and writes the header and, when delay is not 0, the looping
// extension. On failure (file not created, canvas side outside 1 to 65535, no memory for
// the canvas buffers) the returned state has no outputFile and no file is left behind.
GifFileState openGifStream(const char *utf8Path, int canvasWidth, int canvasHeight, int delay);

// Writes the trailer, closes the file and releases the buffers. Returns true only when
// every byte reached the file; false when no file was open or anything failed.
bool closeGifStream(GifFileState *state);

// True when a write to the open file has failed or the state was marked failed.
bool gifStreamHasError(const GifFileState *state);

// Appends the low width bits of code to the bit stream, writing each full sub-block.
void emitCode(FILE *out, LzwBitBuffer *buffer, int code, int width);

// Copies the RGB of the frame pixels that differ from what the canvas shows (prev, indexed
// by canvas position) to the front of work, in row-major order, and returns their number.
// A pixel outside the covered staircase always counts as changed.
size_t collectChangedPixels(const unsigned char *prev, const int *coveredWidth,
                            int canvasWidth, const unsigned char *rgba, int width, int height,
                            unsigned char *work);

// Median split of the n pixels over entries first to end - 1, recording each split at node.
void buildPaletteTree(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
                      int splitDistance, int node, FramePalette *palette);

// Reorders pixels left to right - 1 so that the one at target has the value it would have
// if they were sorted on the axis, smaller or equal values before it, greater after it.
void medianSelect(unsigned char *pixels, size_t left, size_t right, int axis, size_t target);

// Partitions pixels left to right - 1 around the value of the pixel at pivot and returns
// the pivot's final position. Values equal to it go alternately to either side.
size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot);

} // namespace reference

#endif
