#include "encoder/gifstreamwriter.h"
#include "encoder/clearframe.h"
#include "encoder/framehelperthread.h"
#include "encoder/gifencoder.h"
#include "encoder/lzwbitbuffer.h"
#include "encoder/qualitystate.h"
#include "encoder/subtreequeue.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void putWord(FILE *out, int value)
{
    fputc(value & 0xFF, out);
    fputc((value >> 8) & 0xFF, out);
}

// On Windows the narrow file calls take the ANSI code page, not UTF-8.
FILE *openForWriting(const char *utf8Path)
{
#ifdef _WIN32
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

// repeats: how many times viewers play the frames again after the first time; 0 for ever.
void writeLoopingExtension(FILE *out, int repeats)
{
    fputc(0x21, out);
    fputc(0xFF, out);
    fputc(11, out);
    fwrite("NETSCAPE2.0", 1, 11, out);
    fputc(3, out);
    fputc(1, out);
    putWord(out, repeats);
    fputc(0, out);
}

void releaseBuffers(GifFileState *state)
{
    // Frames still being written finish first: they read these buffers.
    delete state->helper;
    state->helper = nullptr;
    delete state->subtrees;
    state->subtrees = nullptr;
    free(state->previousFrame);
    free(state->picture);
    free(state->coveredWidth);
    free(state->shownClear);
    free(state->prepared);
    free(state->work);
    free(state->indexPlanes[0]);
    free(state->indexPlanes[1]);
    releaseLzwDictionary(&state->dictionary);
    releaseColourCellTable(&state->cellTables[0]);
    releaseColourCellTable(&state->cellTables[1]);
    destroyQualityState(state->quality);
    state->quality = nullptr;
    state->previousFrame = nullptr;
    state->picture = nullptr;
    state->coveredWidth = nullptr;
    state->shownClear = nullptr;
    state->prepared = nullptr;
    state->work = nullptr;
    state->indexPlanes[0] = nullptr;
    state->indexPlanes[1] = nullptr;
}

bool allocateBuffers(GifFileState *state, int canvasWidth, int canvasHeight,
                     const GifOptions &options)
{
    const bool smallerFile = options.smallerFile;
    // Zero-filled so that what is written never depends on memory left over.
    const size_t pixels = size_t(canvasWidth) * size_t(canvasHeight);
    state->previousFrame = static_cast<unsigned char *>(calloc(pixels, 4));
    // Levels below 100 keep the pictures too, to tell still areas from changing ones.
    const bool keepsPicture = smallerFile || options.quality < 100;
    if (keepsPicture)
        state->picture = static_cast<unsigned char *>(calloc(pixels, 4));
    state->coveredWidth = static_cast<int *>(calloc(size_t(canvasHeight), sizeof(int)));
    if (options.alpha) {
        // Nothing is shown yet: every pixel clear, every row comparable.
        state->shownClear = static_cast<unsigned char *>(malloc(pixels));
        state->prepared = static_cast<unsigned char *>(malloc(pixels * 4));
        if (state->shownClear)
            memset(state->shownClear, 1, pixels);
        for (int y = 0; state->coveredWidth && y < canvasHeight; ++y)
            state->coveredWidth[y] = canvasWidth;
    }
    state->work = static_cast<unsigned char *>(malloc(pixels * 4));
    state->indexPlanes[0] = static_cast<unsigned char *>(malloc(pixels));
    state->indexPlanes[1] = static_cast<unsigned char *>(malloc(pixels));
    const bool dictionary = allocateLzwDictionary(&state->dictionary, pixels);
    const bool cells = allocateColourCellTable(&state->cellTables[0])
                       && allocateColourCellTable(&state->cellTables[1]);
    if (options.quality < 100)
        state->quality = createQualityState(options.quality, smallerFile);
    if (state->previousFrame && (state->picture || !keepsPicture) && state->coveredWidth
        && ((state->shownClear && state->prepared) || !options.alpha) && state->work
        && state->indexPlanes[0] && state->indexPlanes[1] && dictionary && cells
        && (state->quality || options.quality >= 100))
        return true;
    releaseBuffers(state);
    return false;
}

} // namespace

GifFileState openGifStream(const char *utf8Path, int canvasWidth, int canvasHeight, int delay,
                           const GifOptions &options)
{
    GifFileState state;
    memset(&state, 0, sizeof(state));
    state.heldWrite = -1;
    if (canvasWidth < 1 || canvasWidth > MaxGifSide || canvasHeight < 1
        || canvasHeight > MaxGifSide)
        return state;
    if (!allocateBuffers(&state, canvasWidth, canvasHeight, options))
        return state;
    FILE *file = openForWriting(utf8Path);
    if (!file) {
        releaseBuffers(&state);
        return state;
    }

    state.outputFile = file;
    state.canvasWidth = canvasWidth;
    state.canvasHeight = canvasHeight;
    state.firstFrame = true;
    state.helper = startFrameHelper();
    if (state.helper)
        state.subtrees = new SubtreeQueue;
    writeHeader(file, canvasWidth, canvasHeight);
    // Viewers play a GIF without the extension once.
    if (delay != 0 && options.playCount != 1)
        writeLoopingExtension(file, std::min(std::max(options.playCount - 1, 0), 65535));
    state.settledBytes = ftell(file);
    return state;
}

bool closeGifStream(GifFileState *state)
{
    if (!state->outputFile)
        return false;
    releaseHeldFrame(state);
    waitForHelper(state->helper, state->writes[0].ticket);
    waitForHelper(state->helper, state->writes[1].ticket);
    fputc(0x3B, state->outputFile);
    bool written = !gifStreamHasError(state);
    if (fclose(state->outputFile) != 0)
        written = false;
    state->outputFile = nullptr;
    releaseBuffers(state);
    return written;
}

void setGifStreamQuality(GifFileState *state, int level)
{
    if (state->quality)
        state->quality->level = qualityLevelFor(level);
}

bool gifStreamHasError(const GifFileState *state)
{
    return state->outputFile && ferror(state->outputFile);
}

void GifEncoder::writeFrameBlocks(FILE *out, const unsigned char *indices, int indexStride,
                                  int left, int top, int width, int height, int delay,
                                  const FramePalette *palette, LzwDictionary *dictionary,
                                  int disposal, int restartRow) const
{
    const int depth = palette->depth;
    assert(size_t(width) * size_t(height) <= dictionary->maxPixels);

    // Graphic control extension: the disposal method, transparent colour given.
    fputc(0x21, out);
    fputc(0xF9, out);
    fputc(4, out);
    fputc(disposal << 2 | 1, out);
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
    unsigned char table[256 * 3] = {};
    for (int i = 1; i < (1 << depth); ++i) {
        table[i * 3 + 0] = palette->red[i];
        table[i * 3 + 1] = palette->green[i];
        table[i * 3 + 2] = palette->blue[i];
    }
    fwrite(table, 3, size_t(1) << depth, out);

    fputc(depth, out); // LZW minimum code size

    const int clearCode = 1 << depth;
    const int endCode = clearCode + 1;
    int codeWidth = depth + 1;
    int lastCode = clearCode + 1;
    LzwBitBuffer bits = {0, 0, dictionary->codeBytes, 0};
    clearLzwDictionary(dictionary);
    uint32_t *words = dictionary->words;

    emitCode(&bits, clearCode, codeWidth);
    int current = -1; // code of the string matched so far; -1 without pixels
    if (width > 0 && height > 0)
        current = indices[0];
    for (int y = 0; y < height && current >= 0; ++y) {
        const unsigned char *row = indices + size_t(y) * size_t(indexStride);
        int x = y == 0 ? 1 : 0;
        if (y == restartRow && y > 0) {
            // The rows from here on start from an empty table of strings, as after code 4095.
            // A decoder counts a string for the code before the clear code too, and may read
            // the clear code one bit wider.
            emitCode(&bits, current, codeWidth);
            if (++lastCode >= (1 << codeWidth) && codeWidth < 12)
                codeWidth++;
            emitCode(&bits, clearCode, codeWidth);
            clearLzwDictionary(dictionary);
            codeWidth = depth + 1;
            lastCode = clearCode + 1;
            current = row[0];
            x = 1;
        }
        for (; x < width; ++x) {
            const int value = row[x];
            const uint32_t key = uint32_t(current) << 8 | uint32_t(value);
            const uint32_t slot = lzwFindSlot(words, key);
            const uint32_t word = words[slot];
            if (word != 0) {
                current = int(word & 0xFFF);
                continue;
            }
            emitCode(&bits, current, codeWidth);
            lastCode++;
            words[slot] = key << 12 | uint32_t(lastCode);
            if (lastCode >= (1 << codeWidth))
                codeWidth++;
            // Code 4095 is assigned and then dropped with the whole dictionary.
            if (lastCode == 4095) {
                emitCode(&bits, clearCode, codeWidth);
                clearLzwDictionary(dictionary);
                codeWidth = depth + 1;
                lastCode = clearCode + 1;
            }
            current = value;
        }
    }
    if (current >= 0)
        emitCode(&bits, current, codeWidth);
    emitCode(&bits, clearCode, codeWidth);
    emitCode(&bits, endCode, depth + 1);

    writeLzwSubBlocks(out, &bits);
    fputc(0, out); // block terminator
}
