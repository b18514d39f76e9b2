#include "encoder/lzwbitbuffer.h"

void writeLzwSubBlocks(FILE *out, LzwBitBuffer *buffer)
{
    while (buffer->pendingCount > 0) {
        buffer->bytes[buffer->length++] = uint8_t(buffer->pending);
        buffer->pending >>= 8;
        buffer->pendingCount = buffer->pendingCount > 8 ? buffer->pendingCount - 8 : 0;
    }
    for (size_t done = 0; done < buffer->length; done += 255) {
        const size_t length = buffer->length - done < 255 ? buffer->length - done : 255;
        fputc(int(length), out);
        fwrite(buffer->bytes + done, 1, length, out);
    }
}
