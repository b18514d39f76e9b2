#include "support/referenceencoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace reference {

namespace {

// One frame's colour table and the k-d tree over it, in heap order: node 1 is the root,
// node n has children 2n and 2n + 1, leaf node m stands for entry m - 2^depth. Entry 0 is
// the transparent one and stays black.
struct Palette
{
    int depth = 8;
    unsigned char rgb[256][3] = {};
    unsigned char splitAxis[256] = {};
    unsigned char splitValue[256] = {};
};

void swapPixels(unsigned char *pixels, size_t a, size_t b)
{
    std::swap_ranges(pixels + a * 4, pixels + a * 4 + 4, pixels + b * 4);
}

// Reorders pixels left to right - 1 so that the one at target has the value it would have
// if they were sorted on the axis.
void medianSelect(unsigned char *pixels, size_t left, size_t right, int axis, size_t target)
{
    while (left + 1 < right) {
        const size_t p = partitionAroundPivot(pixels, left, right, axis, left + (right - left) / 2);
        if (p == target)
            return;
        if (p > target)
            right = p;
        else
            left = p + 1;
    }
}

// Median split of the n pixels over entries first to end - 1, recording each split at node;
// an entry alone takes the mean of its pixels, halves rounded up.
void buildTree(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
               int splitDistance, int node, Palette *palette)
{
    if (end <= first || n == 0)
        return;
    if (end == first + 1) {
        for (int c = 0; c < 3; ++c) {
            uint64_t sum = 0;
            for (size_t i = 0; i < n; ++i)
                sum += pixels[i * 4 + c];
            palette->rgb[first][c] = (unsigned char)((sum + n / 2) / n);
        }
        return;
    }
    int range[3];
    for (int c = 0; c < 3; ++c) {
        int low = 255, high = 0;
        for (size_t i = 0; i < n; ++i) {
            low = std::min(low, int(pixels[i * 4 + c]));
            high = std::max(high, int(pixels[i * 4 + c]));
        }
        range[c] = high - low;
    }
    // Green wins ties with blue; red needs a strictly greatest range.
    int axis = range[2] > range[1] ? 2 : 1;
    if (range[0] > range[1] && range[0] > range[2])
        axis = 0;
    // Pixels are shared out in proportion to the entries on each side.
    const size_t nLeft = size_t(uint64_t(n) * uint64_t(splitEntry - first) / uint64_t(end - first));
    medianSelect(pixels, 0, n, axis, nLeft);
    palette->splitAxis[node] = (unsigned char)axis;
    palette->splitValue[node] = pixels[nLeft * 4 + axis];
    buildTree(pixels, nLeft, first, splitEntry, splitEntry - splitDistance, splitDistance / 2,
              node * 2, palette);
    buildTree(pixels + nLeft * 4, n - nLeft, splitEntry, end, splitEntry + splitDistance,
              splitDistance / 2, node * 2 + 1, palette);
}

// Walks the tree near side first, the far side only while it may hold a closer entry
// (sum of absolute differences); a strictly closer entry replaces the best. Never entry 0.
void nearestEntry(const Palette &palette, const unsigned char *colour, int *best,
                  int *bestDifference, int node)
{
    const int entries = 1 << palette.depth;
    while (node < entries) {
        const int c = colour[palette.splitAxis[node]];
        const int s = palette.splitValue[node];
        nearestEntry(palette, colour, best, bestDifference, s > c ? node * 2 : node * 2 + 1);
        if (*bestDifference <= std::abs(c - s))
            return;
        node = s > c ? node * 2 + 1 : node * 2;
    }
    const int entry = node - entries;
    int difference = 0;
    for (int c = 0; c < 3; ++c)
        difference += std::abs(colour[c] - palette.rgb[entry][c]);
    if (entry != 0 && difference < *bestDifference) {
        *best = entry;
        *bestDifference = difference;
    }
}

void appendWord(QByteArray *out, int value)
{
    out->append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

// LZW codes packed least significant bit first.
struct BitWriter
{
    QByteArray bytes;
    uint32_t pending = 0;
    int pendingBits = 0;

    void put(int code, int width)
    {
        pending |= uint32_t(code & ((1 << width) - 1)) << pendingBits;
        for (pendingBits += width; pendingBits >= 8; pendingBits -= 8, pending >>= 8)
            bytes.append(char(pending & 0xFF));
    }
};

// The frame's index data, LZW-coded, in sub-blocks of up to 255 bytes with a terminator.
void appendLzwData(QByteArray *out, const std::vector<unsigned char> &indices, int depth)
{
    const int clearCode = 1 << depth;
    std::vector<uint16_t> dictionary(4096 * 256);
    int width = depth + 1;
    int lastCode = clearCode + 1;
    int current = -1;
    BitWriter bits;
    bits.put(clearCode, width);
    for (const int value : indices) {
        if (current < 0) {
            current = value;
        } else if (dictionary[current * 256 + value] != 0) {
            current = dictionary[current * 256 + value];
        } else {
            bits.put(current, width);
            dictionary[current * 256 + value] = uint16_t(++lastCode);
            if (lastCode >= (1 << width))
                width++;
            // Code 4095 is assigned and then dropped with the whole dictionary.
            if (lastCode == 4095) {
                bits.put(clearCode, width);
                std::fill(dictionary.begin(), dictionary.end(), 0);
                width = depth + 1;
                lastCode = clearCode + 1;
            }
            current = value;
        }
    }
    if (current >= 0)
        bits.put(current, width);
    bits.put(clearCode, width);
    bits.put(clearCode + 1, depth + 1);
    bits.put(0, 7); // the last byte, filled up
    out->append(char(depth));
    for (int at = 0; at < bits.bytes.size(); at += 255) {
        const QByteArray block = bits.bytes.mid(at, 255);
        out->append(char(block.size())).append(block);
    }
    out->append('\0');
}

} // namespace

size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot)
{
    const unsigned char pivotValue = pixels[pivot * 4 + axis];
    swapPixels(pixels, pivot, right - 1);
    size_t store = left;
    bool alternate = false;
    for (size_t i = left; i < right - 1; ++i) {
        const unsigned char value = pixels[i * 4 + axis];
        // Equal values go to either side in turn, so runs of one colour split evenly.
        const bool toTheLeft = value < pivotValue || (value == pivotValue && alternate);
        if (value == pivotValue)
            alternate = !alternate;
        if (toTheLeft)
            swapPixels(pixels, i, store++);
    }
    swapPixels(pixels, store, right - 1);
    return store;
}

QByteArray encodeGif(const QVector<QImage> &frames, QSize canvas, int delay, int depth)
{
    QByteArray out("GIF89a");
    appendWord(&out, canvas.width());
    appendWord(&out, canvas.height());
    // A global table of two black entries, 8-bit colour resolution.
    out.append("\xF0\0\0\0\0\0\0\0\0", 9);
    if (delay != 0)
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0", 19);

    // Per canvas pixel the colour shown and the index the last frame gave it; per row how
    // far from the left some frame has drawn (pixels beyond always count as changed).
    std::vector<unsigned char> shown(size_t(canvas.width()) * canvas.height() * 4);
    std::vector<int> coveredWidth(canvas.height());
    bool firstFrame = true;
    for (const QImage &image : frames) {
        const QImage frame = image.convertToFormat(QImage::Format_RGBA8888);
        const int width = frame.width();
        const int height = frame.height();
        auto isShown = [&](int x, int y) {
            const unsigned char *p = frame.constScanLine(y) + x * 4;
            const unsigned char *s = &shown[(size_t(y) * canvas.width() + x) * 4];
            return !firstFrame && x < coveredWidth[y] && std::equal(p, p + 3, s);
        };

        std::vector<unsigned char> changed;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!isShown(x, y)) {
                    const unsigned char *p = frame.constScanLine(y) + x * 4;
                    changed.insert(changed.end(), {p[0], p[1], p[2], 0});
                }
            }
        }
        Palette palette;
        palette.depth = depth;
        buildTree(changed.data(), changed.size() / 4, 1, 1 << depth, 1 << (depth - 1),
                  1 << (depth - 2), 1, &palette);
        // The node above entry 1 also leads to the transparent entry 0.
        palette.splitAxis[1 << (depth - 1)] = 0;
        palette.splitValue[1 << (depth - 1)] = 0;

        std::vector<unsigned char> indices;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                unsigned char *s = &shown[(size_t(y) * canvas.width() + x) * 4];
                if (isShown(x, y)) {
                    s[3] = 0;
                } else {
                    int best = 1;
                    int bestDifference = 1000000;
                    nearestEntry(palette, frame.constScanLine(y) + x * 4, &best,
                                 &bestDifference, 1);
                    std::copy(palette.rgb[best], palette.rgb[best] + 3, s);
                    s[3] = (unsigned char)best;
                }
                indices.push_back(s[3]);
            }
            coveredWidth[y] = std::max(coveredWidth[y], width);
        }
        firstFrame = false;

        // Graphic control extension (leave the frame in place, transparent index 0), image
        // descriptor at (0, 0) with a local table of 2^depth entries, entry 0 black.
        out.append("\x21\xF9\x04\x05", 4);
        appendWord(&out, delay);
        out.append("\0\0,\0\0\0\0", 7);
        appendWord(&out, width);
        appendWord(&out, height);
        out.append(char(0x80 + depth - 1));
        out.append(QByteArray(3, '\0'));
        for (int i = 1; i < (1 << depth); ++i)
            out.append(reinterpret_cast<const char *>(palette.rgb[i]), 3);
        appendLzwData(&out, indices, depth);
    }
    return out.append(';');
}

} // namespace reference
