#include "encoder/framewrite.h"

#include "encoder/framehelperthread.h"
#include "encoder/gifencoder.h"

namespace {

void runFrameWrite(void *argument)
{
    const FrameWrite *w = static_cast<const FrameWrite *>(argument);
    w->encoder->writeFrameBlocks(w->out, w->indices, w->indexStride, w->left, w->top, w->width,
                                 w->height, w->delay, &w->palette, w->dictionary, w->disposal,
                                 w->restartRow);
}

} // namespace

void postFrameWrite(FrameHelperThread *helper, FrameWrite *write)
{
    write->ticket = postToHelper(helper, runFrameWrite, write);
}
