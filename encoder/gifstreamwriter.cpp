#include "encoder/gifstreamwriter.h"
#include "encoder/gifencoder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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
