#include "encoder/framewrite.h"

#include "encoder/framehelperthread.h"
#include "encoder/gifencoder.h"

namespace {

void runFrameWrite(void *argument)
{
    FrameWrite *w = static_cast<FrameWrite *>(argument);
    // Only this thread writes to the file while a frame is written.
    const long start = ftell(w->out);
    w->encoder->writeFrameBlocks(w->out, w->indices, w->indexStride, w->left, w->top, w->width,
                                 w->height, w->delay, &w->palette, w->dictionary, w->disposal,
                                 w->restartRow);
    const long end = ftell(w->out);
    w->bytes = start >= 0 && end > start ? end - start : 0;
}

} // namespace

void postFrameWrite(FrameHelperThread *helper, FrameWrite *write)
{
    write->ticket = postToHelper(helper, runFrameWrite, write);
}

void settleFrameWrite(FrameHelperThread *helper, FrameWrite *write, long long *settledBytes,
                      int *settledFrames)
{
    waitForHelper(helper, write->ticket);
    write->ticket = 0;
    if (write->bytes > 0) {
        *settledBytes += write->bytes;
        ++*settledFrames;
        write->bytes = 0;
    }
}
