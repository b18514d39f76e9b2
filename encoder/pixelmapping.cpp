#include "encoder/gifencoder.h"


namespace {

int absolute(int value)
{
    return value < 0 ? -value : value;
}

} // namespace

void GifEncoder::nearestPaletteEntry(const FramePalette *palette, int red, int green, int blue,
                                     int *bestIndex, int *bestDifference, int node) const
{
    const int entries = 1 << palette->depth;
    while (node <= entries - 1) {
        const int axis = palette->splitAxis[node];
        const int c = axis == 0 ? red : (axis == 1 ? green : blue);
        const int s = palette->splitValue[node];
        // Near side first; the far side only while it may hold a closer entry.
        if (s > c) {
            nearestPaletteEntry(palette, red, green, blue, bestIndex, bestDifference, node * 2);
            if (*bestDifference <= s - c)
                return;
            node = node * 2 + 1;
        } else {
            nearestPaletteEntry(palette, red, green, blue, bestIndex, bestDifference,
                                node * 2 + 1);
            if (*bestDifference <= c - s)
                return;
            node = node * 2;
        }
    }
    const int entry = node - entries;
    if (entry == transparentIndex)
        return;
    const int difference = absolute(red - palette->red[entry])
                           + absolute(green - palette->green[entry])
                           + absolute(blue - palette->blue[entry]);
    if (difference < *bestDifference) {
        *bestIndex = entry;
        *bestDifference = difference;
    }
}

void GifEncoder::mapToPalette(const unsigned char *prev, const int *coveredWidth,
                              int canvasWidth, const unsigned char *rgba, unsigned char *out,
                              int width, int height, const FramePalette *palette) const
{
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        const size_t canvasRow = size_t(y) * size_t(canvasWidth) * 4;
        for (int x = 0; x < width; ++x) {
            const unsigned char *p = row + x * 4;
            unsigned char *o = out + canvasRow + x * 4;
            if (prev && x < coveredWidth[y]) {
                const unsigned char *s = prev + canvasRow + x * 4;
                if (p[0] == s[0] && p[1] == s[1] && p[2] == s[2]) {
                    // Already shown: transparent, the canvas keeps its colour.
                    o[0] = s[0];
                    o[1] = s[1];
                    o[2] = s[2];
                    o[3] = (unsigned char)transparentIndex;
                    continue;
                }
            }
            int bestIndex = 1;
            int bestDifference = 1000000;
            nearestPaletteEntry(palette, p[0], p[1], p[2], &bestIndex, &bestDifference, 1);
            o[0] = palette->red[bestIndex];
            o[1] = palette->green[bestIndex];
            o[2] = palette->blue[bestIndex];
            o[3] = (unsigned char)bestIndex;
        }
    }
}

bool GifEncoder::encodeFrame(GifFileState *state, const unsigned char *rgba, int width,
                             int height, int delay, int depth) const
{
    if (!state->outputFile || width < 1 || height < 1 || width > state->canvasWidth
        || height > state->canvasHeight || depth < 2 || depth > 8)
        return false;

    const unsigned char *prev = state->firstFrame ? nullptr : state->previousFrame;

    FramePalette palette = {};
    if (!buildPalette(prev, state->coveredWidth, state->canvasWidth, rgba, width, height,
                      depth, &palette)) {
        state->failed = true;
        return false;
    }
    // The node above entry 1 also leads to the transparent entry 0, which stays black.
    palette.splitAxis[1 << (depth - 1)] = 0;
    palette.splitValue[1 << (depth - 1)] = 0;
    palette.red[0] = 0;
    palette.green[0] = 0;
    palette.blue[0] = 0;

    mapToPalette(prev, state->coveredWidth, state->canvasWidth, rgba, state->previousFrame,
                 width, height, &palette);
    for (int y = 0; y < height; ++y) {
        if (state->coveredWidth[y] < width)
            state->coveredWidth[y] = width;
    }
    state->firstFrame = false;

    if (!writeFrameBlocks(state->outputFile, state->previousFrame, state->canvasWidth, 0, 0,
                          width, height, delay, &palette)) {
        state->failed = true;
        return false;
    }
    return true;
}
