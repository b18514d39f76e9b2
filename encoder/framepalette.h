#ifndef FRAMEPALETTE_H
#define FRAMEPALETTE_H

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

// Sum of absolute differences between the colour and entry e: how near the search finds it.
inline int entryDifference(const FramePalette *palette, int e, int red, int green, int blue)
{
    const int r = red - palette->red[e];
    const int g = green - palette->green[e];
    const int b = blue - palette->blue[e];
    return (r < 0 ? -r : r) + (g < 0 ? -g : g) + (b < 0 ? -b : b);
}

#endif
