#include "support/referenceencoder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace reference {

namespace {

const int DictionaryRows = 4096;
const int DictionaryColumns = 256;
const size_t DictionaryBytes = sizeof(uint16_t) * DictionaryRows * DictionaryColumns;

void putWord(FILE *out, int value)
{
    fputc(value & 0xFF, out);
    fputc((value >> 8) & 0xFF, out);
}

// On Windows the narrow file calls take the ANSI code page, not UTF-8.
FILE *openForWriting(const char *utf8Path)
{
#ifdef Q_OS_WIN
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8Path, -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    wchar_t *widePath = static_cast<wchar_t *>(malloc(sizeof(wchar_t) * length));
    if (!widePath)
        return nullptr;
    MultiByteToWideChar(CP_UTF8, 0, utf8Path, -1, widePath, length);
    FILE *file = _wfopen(widePath, L"wb");
    free(widePath);
    return file;
#else
    return fopen(utf8Path, "wb");
#endif
}

void writeHeader(FILE *out, int canvasWidth, int canvasHeight)
{
    fwrite("GIF89a", 1, 6, out);
    putWord(out, canvasWidth);
    putWord(out, canvasHeight);
    fputc(0xF0, out); // global colour table of 2 entries, 8-bit colour resolution
    fputc(0, out);    // background colour index
    fputc(0, out);    // pixel aspect ratio not given
    for (int i = 0; i < 6; ++i)
        fputc(0, out); // both global entries black
}

void writeLoopingExtension(FILE *out)
{
    fputc(0x21, out);
    fputc(0xFF, out);
    fputc(11, out);
    fwrite("NETSCAPE2.0", 1, 11, out);
    fputc(3, out);
    fputc(1, out);
    putWord(out, 0); // loop for ever
    fputc(0, out);
}

} // namespace

GifFileState openGifStream(const char *utf8Path, int canvasWidth, int canvasHeight, int delay)
{
    GifFileState state;
    memset(&state, 0, sizeof(state));
    if (canvasWidth < 1 || canvasWidth > MaxGifSide || canvasHeight < 1
        || canvasHeight > MaxGifSide)
        return state;

    // Zero-filled so that what is written never depends on memory left over.
    const size_t pixels = size_t(canvasWidth) * size_t(canvasHeight);
    unsigned char *previousFrame = static_cast<unsigned char *>(calloc(pixels, 4));
    int *coveredWidth = static_cast<int *>(calloc(size_t(canvasHeight), sizeof(int)));
    FILE *file = previousFrame && coveredWidth ? openForWriting(utf8Path) : nullptr;
    if (!file) {
        free(previousFrame);
        free(coveredWidth);
        return state;
    }

    state.outputFile = file;
    state.previousFrame = previousFrame;
    state.coveredWidth = coveredWidth;
    state.canvasWidth = canvasWidth;
    state.canvasHeight = canvasHeight;
    state.firstFrame = true;
    writeHeader(file, canvasWidth, canvasHeight);
    if (delay != 0)
        writeLoopingExtension(file);
    return state;
}

bool closeGifStream(GifFileState *state)
{
    if (!state->outputFile)
        return false;
    fputc(0x3B, state->outputFile);
    bool written = !gifStreamHasError(state);
    if (fclose(state->outputFile) != 0)
        written = false;
    free(state->previousFrame);
    free(state->coveredWidth);
    state->outputFile = nullptr;
    state->previousFrame = nullptr;
    state->coveredWidth = nullptr;
    return written;
}

bool gifStreamHasError(const GifFileState *state)
{
    return state->failed || (state->outputFile && ferror(state->outputFile));
}

void emitCode(FILE *out, LzwBitBuffer *buffer, int code, int width)
{
    for (int i = 0; i < width; ++i) {
        buffer->partialByte |= uint8_t((code & 1) << buffer->bitPos);
        buffer->bitPos++;
        if (buffer->bitPos > 7) {
            buffer->block[buffer->blockLength] = buffer->partialByte;
            buffer->blockLength++;
            buffer->bitPos = 0;
            buffer->partialByte = 0;
        }
        code >>= 1;
        if (buffer->blockLength == 255) {
            fputc(255, out);
            fwrite(buffer->block, 1, 255, out);
            buffer->blockLength = 0;
            buffer->bitPos = 0;
            buffer->partialByte = 0;
        }
    }
}

bool GifEncoder::writeFrameBlocks(FILE *out, const unsigned char *indexFrame, int indexStride,
                                  int left, int top, int width, int height, int delay,
                                  const FramePalette *palette) const
{
    uint16_t *dictionary = static_cast<uint16_t *>(calloc(1, DictionaryBytes));
    if (!dictionary)
        return false;
    const int depth = palette->depth;

    // Graphic control extension: leave the frame in place, transparent colour given.
    fputc(0x21, out);
    fputc(0xF9, out);
    fputc(4, out);
    fputc(0x05, out);
    putWord(out, delay);
    fputc(transparentIndex & 0xFF, out);
    fputc(0, out);

    // Image descriptor with a local colour table of 2^depth entries.
    fputc(0x2C, out);
    putWord(out, left);
    putWord(out, top);
    putWord(out, width);
    putWord(out, height);
    fputc(0x80 + depth - 1, out);

    // Entry 0 is the transparent one and always written black.
    fputc(0, out);
    fputc(0, out);
    fputc(0, out);
    for (int i = 1; i < (1 << depth); ++i) {
        fputc(palette->red[i], out);
        fputc(palette->green[i], out);
        fputc(palette->blue[i], out);
    }

    fputc(depth, out); // LZW minimum code size

    const int clearCode = 1 << depth;
    const int endCode = clearCode + 1;
    int codeWidth = depth + 1;
    int lastCode = clearCode + 1;
    int current = -1; // code of the string matched so far; -1 before the first pixel
    LzwBitBuffer bits;
    memset(&bits, 0, sizeof(bits));

    emitCode(out, &bits, clearCode, codeWidth);
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = indexFrame + size_t(y) * size_t(indexStride) * 4;
        for (int x = 0; x < width; ++x) {
            const int value = row[x * 4 + 3];
            if (current < 0) {
                current = value;
            } else if (dictionary[current * DictionaryColumns + value] != 0) {
                current = dictionary[current * DictionaryColumns + value];
            } else {
                emitCode(out, &bits, current, codeWidth);
                lastCode++;
                dictionary[current * DictionaryColumns + value] = uint16_t(lastCode);
                if (lastCode >= (1 << codeWidth))
                    codeWidth++;
                // Code 4095 is assigned and then dropped with the whole dictionary.
                if (lastCode == 4095) {
                    emitCode(out, &bits, clearCode, codeWidth);
                    memset(dictionary, 0, DictionaryBytes);
                    codeWidth = depth + 1;
                    lastCode = clearCode + 1;
                }
                current = value;
            }
        }
    }
    if (current >= 0)
        emitCode(out, &bits, current, codeWidth);
    emitCode(out, &bits, clearCode, codeWidth);
    emitCode(out, &bits, endCode, depth + 1);

    while (bits.bitPos != 0)
        emitCode(out, &bits, 0, 1);
    if (bits.blockLength != 0) {
        fputc(int(bits.blockLength), out);
        fwrite(bits.block, 1, bits.blockLength, out);
    }
    fputc(0, out); // block terminator
    free(dictionary);
    return true;
}

namespace {

void swapPixels(unsigned char *pixels, size_t a, size_t b)
{
    unsigned char held[4];
    memcpy(held, pixels + a * 4, 4);
    memcpy(pixels + a * 4, pixels + b * 4, 4);
    memcpy(pixels + b * 4, held, 4);
}

} // namespace

size_t collectChangedPixels(const unsigned char *prev, const int *coveredWidth,
                            int canvasWidth, const unsigned char *rgba, int width, int height,
                            unsigned char *work)
{
    size_t count = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char *shown = prev + size_t(y) * size_t(canvasWidth) * 4;
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        for (int x = 0; x < width; ++x) {
            const unsigned char *s = shown + x * 4;
            const unsigned char *p = row + x * 4;
            const bool covered = x < coveredWidth[y];
            if (covered && p[0] == s[0] && p[1] == s[1] && p[2] == s[2])
                continue;
            work[count * 4 + 0] = p[0];
            work[count * 4 + 1] = p[1];
            work[count * 4 + 2] = p[2];
            count++;
        }
    }
    return count;
}

size_t partitionAroundPivot(unsigned char *pixels, size_t left, size_t right, int axis,
                            size_t pivot)
{
    const unsigned char pivotValue = pixels[pivot * 4 + axis];
    swapPixels(pixels, pivot, right - 1);
    size_t store = left;
    bool alternate = false;
    for (size_t i = left; i < right - 1; ++i) {
        const unsigned char value = pixels[i * 4 + axis];
        if (value < pivotValue) {
            swapPixels(pixels, i, store);
            store++;
        } else if (value == pivotValue) {
            // Equal values go to either side in turn, so runs of one colour split evenly.
            if (alternate) {
                swapPixels(pixels, i, store);
                store++;
            }
            alternate = !alternate;
        }
    }
    swapPixels(pixels, store, right - 1);
    return store;
}

void medianSelect(unsigned char *pixels, size_t left, size_t right, int axis, size_t target)
{
    while (left + 1 < right) {
        const size_t pivot = left + (right - left) / 2;
        const size_t p = partitionAroundPivot(pixels, left, right, axis, pivot);
        if (p == target)
            return;
        // Only the side holding the target is ordered further.
        if (p > target)
            right = p;
        else
            left = p + 1;
    }
}

void buildPaletteTree(unsigned char *pixels, size_t n, int first, int end, int splitEntry,
                      int splitDistance, int node, FramePalette *palette)
{
    if (end <= first || n == 0)
        return;

    if (end == first + 1) {
        // One entry left: the mean of its pixels, halves rounded up.
        uint64_t sum[3] = {0, 0, 0};
        for (size_t i = 0; i < n; ++i) {
            sum[0] += pixels[i * 4 + 0];
            sum[1] += pixels[i * 4 + 1];
            sum[2] += pixels[i * 4 + 2];
        }
        palette->red[first] = (unsigned char)((sum[0] + n / 2) / n);
        palette->green[first] = (unsigned char)((sum[1] + n / 2) / n);
        palette->blue[first] = (unsigned char)((sum[2] + n / 2) / n);
        return;
    }

    int minimum[3] = {255, 255, 255};
    int maximum[3] = {0, 0, 0};
    for (size_t i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            const int value = pixels[i * 4 + c];
            if (value < minimum[c])
                minimum[c] = value;
            if (value > maximum[c])
                maximum[c] = value;
        }
    }
    const int redRange = maximum[0] - minimum[0];
    const int greenRange = maximum[1] - minimum[1];
    const int blueRange = maximum[2] - minimum[2];

    // Green wins ties with blue; red needs a strictly greatest range.
    int axis = 1;
    if (blueRange > greenRange)
        axis = 2;
    if (redRange > blueRange && redRange > greenRange)
        axis = 0;

    // Pixels are shared out in proportion to the entries on each side.
    const size_t nLeft = size_t(uint64_t(n) * uint64_t(splitEntry - first)
                                / uint64_t(end - first));
    medianSelect(pixels, 0, n, axis, nLeft);
    palette->splitAxis[node] = (unsigned char)axis;
    palette->splitValue[node] = pixels[nLeft * 4 + axis];

    buildPaletteTree(pixels, nLeft, first, splitEntry, splitEntry - splitDistance,
                     splitDistance / 2, node * 2, palette);
    buildPaletteTree(pixels + nLeft * 4, n - nLeft, splitEntry, end,
                     splitEntry + splitDistance, splitDistance / 2, node * 2 + 1, palette);
}

bool GifEncoder::buildPalette(const unsigned char *prev, const int *coveredWidth,
                              int canvasWidth, const unsigned char *rgba, int width,
                              int height, int depth, FramePalette *palette) const
{
    palette->depth = depth;
    const size_t pixelCount = size_t(width) * size_t(height);
    unsigned char *work = static_cast<unsigned char *>(malloc(pixelCount * 4));
    if (!work)
        return false;
    memcpy(work, rgba, pixelCount * 4);
    size_t n = pixelCount;
    if (prev)
        n = collectChangedPixels(prev, coveredWidth, canvasWidth, rgba, width, height, work);

    buildPaletteTree(work, n, 1, 1 << depth, 1 << (depth - 1), 1 << (depth - 2), 1, palette);
    free(work);
    return true;
}

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

} // namespace reference
