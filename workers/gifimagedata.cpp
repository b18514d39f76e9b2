#include "workers/gifimagedata.h"

#include <cstdint>

namespace {

const int MaxCodeWidth = 12;
const int MaxCodes = 1 << MaxCodeWidth;

// The bits of the data sub-blocks, least significant first, across their boundaries.
class CodeReader
{
public:
    CodeReader(const unsigned char *data, size_t size) : at(data), end(data + size) {}

    // False when the sub-blocks end (or the data runs out) before width more bits.
    bool read(int width, int *code)
    {
        while (bitCount < width) {
            if (blockLeft == 0 && !nextBlock())
                return false;
            bits |= uint32_t(*at++) << bitCount;
            bitCount += 8;
            blockLeft--;
        }
        *code = int(bits & ((1u << width) - 1));
        bits >>= width;
        bitCount -= width;
        return true;
    }

    // Skips what is left of the sub-blocks and the empty one that ends them; false when
    // the data runs out first.
    bool finish()
    {
        while (blockLeft > 0 || nextBlock()) {
            at += blockLeft;
            blockLeft = 0;
        }
        return ended;
    }

    const unsigned char *position() const { return at; }

private:
    bool nextBlock()
    {
        if (ended || at == end)
            return false;
        blockLeft = *at++;
        ended = blockLeft == 0;
        return !ended && size_t(end - at) >= blockLeft;
    }

    const unsigned char *at;
    const unsigned char *end;
    size_t blockLeft = 0;
    uint32_t bits = 0;
    int bitCount = 0;
    bool ended = false;
};

} // namespace

size_t checkGifImageData(const unsigned char *data, size_t size, size_t pixels)
{
    if (size == 0 || data[0] < 2 || data[0] > 8)
        return 0;
    const int minimumWidth = data[0];
    const int clearCode = 1 << minimumWidth;
    const int endCode = clearCode + 1;
    CodeReader codes(data + 1, size - 1);
    uint16_t lengths[MaxCodes]; // of the string each code stands for
    for (int i = 0; i < clearCode; ++i)
        lengths[i] = 1;
    int width = minimumWidth + 1;
    int next = clearCode + 2;
    int previous = -1;
    size_t produced = 0;
    int code = 0;
    while (produced < pixels) {
        if (!codes.read(width, &code) || code == endCode)
            return 0;
        if (code == clearCode) {
            width = minimumWidth + 1;
            next = clearCode + 2;
            previous = -1;
            continue;
        }
        int length = 0;
        if (code < clearCode)
            length = 1;
        else if (previous >= 0 && code < next)
            length = lengths[code];
        else if (previous >= 0 && code == next)
            length = lengths[previous] + 1; // the string just being defined
        else
            return 0; // a code the dictionary does not hold yet
        if (previous >= 0 && next < MaxCodes) {
            lengths[next] = uint16_t(lengths[previous] + 1);
            next++;
            if (next == 1 << width && width < MaxCodeWidth)
                width++;
        }
        previous = code;
        produced += size_t(length);
    }
    return codes.finish() ? size_t(codes.position() - data) : 0;
}
