#include "encoder/clearframe.h"

#include "encoder/clearpixel.h"
#include "encoder/framearea.h"

#include <cstring>
#include <initializer_list>

namespace {

// The smallest rectangle that holds the pixels shown in a colour that the frame clears.
FrameArea pixelsToClear(const GifFileState *state, const unsigned char *rgba)
{
    FrameArea area = {state->canvasWidth, state->canvasHeight, 0, 0};
    for (int y = 0; y < state->canvasHeight; ++y) {
        const size_t row = size_t(y) * size_t(state->canvasWidth);
        for (int x = 0; x < state->canvasWidth; ++x) {
            if (state->shownClear[row + x] == ShownClear
                || !isClearAlpha(rgba[(row + x) * 4 + 3]))
                continue;
            growAreaByRow(&area, x, x + 1, y);
        }
    }
    return area;
}

// The held frame is disposed of over its rectangle grown to hold area; the pixels it gains
// are transparent, so they show what they showed until the frame is disposed of. The
// viewer then shows the whole rectangle clear.
void disposeOver(GifFileState *state, FrameWrite *held, unsigned char *plane,
                 unsigned char transparentIndex, FrameArea area)
{
    const FrameArea drawn = {held->left, held->top, held->left + held->width,
                             held->top + held->height};
    const FrameArea grown = {area.left < drawn.left ? area.left : drawn.left,
                             area.top < drawn.top ? area.top : drawn.top,
                             area.right > drawn.right ? area.right : drawn.right,
                             area.bottom > drawn.bottom ? area.bottom : drawn.bottom};
    const size_t stride = size_t(held->indexStride);
    for (int y = grown.top; y < grown.bottom; ++y) {
        unsigned char *row = plane + size_t(y) * stride;
        const bool inside = y >= drawn.top && y < drawn.bottom;
        for (int x = grown.left; x < grown.right; ++x) {
            if (!inside || x < drawn.left || x >= drawn.right)
                row[x] = transparentIndex;
        }
        memset(state->shownClear + size_t(y) * size_t(state->canvasWidth) + grown.left,
               ShownClear, size_t(grown.right - grown.left));
    }
    held->indices = plane + size_t(grown.top) * stride + size_t(grown.left);
    held->left = grown.left;
    held->top = grown.top;
    held->width = grown.right - grown.left;
    held->height = grown.bottom - grown.top;
    held->disposal = 2;
}

} // namespace

const unsigned char *prepareClearFrame(GifFileState *state, const unsigned char *rgba,
                                       unsigned char transparentIndex)
{
    if (state->heldWrite >= 0) {
        const FrameArea clearing = pixelsToClear(state, rgba);
        if (clearing.left < clearing.right)
            disposeOver(state, &state->writes[state->heldWrite],
                        state->indexPlanes[state->heldWrite], transparentIndex, clearing);
        releaseHeldFrame(state);
    }

    // A smaller file at level 100 compares with the pictures given; the default, and every
    // level below 100 first, with what is shown.
    const unsigned char *compared =
        state->picture && !state->quality ? state->picture : state->previousFrame;
    const size_t pixels = size_t(state->canvasWidth) * size_t(state->canvasHeight);
    for (size_t i = 0; i < pixels; ++i) {
        const unsigned char *pixel = rgba + i * 4;
        unsigned char *seen = state->prepared + i * 4;
        if (isClearAlpha(pixel[3])) {
            memcpy(seen, compared + i * 4, 4);
            state->shownClear[i] = ShownClear;
            continue;
        }
        memcpy(seen, pixel, 4);
        // What is shown and the picture before are made far from the pixel on every channel,
        // so that no tolerance and no still picture takes it for shown.
        if (state->shownClear[i] == ShownClear) {
            for (unsigned char *before : {state->previousFrame, state->picture}) {
                if (!before)
                    continue;
                before[i * 4 + 0] = pixel[0] ^ 0x80;
                before[i * 4 + 1] = pixel[1] ^ 0x80;
                before[i * 4 + 2] = pixel[2] ^ 0x80;
            }
            state->shownClear[i] = DrawnOverClear;
        }
    }
    return state->prepared;
}

void finishClearFrame(GifFileState *state)
{
    const size_t pixels = size_t(state->canvasWidth) * size_t(state->canvasHeight);
    for (size_t i = 0; i < pixels; ++i) {
        if (state->shownClear[i] == DrawnOverClear)
            state->shownClear[i] = ShownColour;
    }
}

void releaseHeldFrame(GifFileState *state)
{
    if (state->heldWrite < 0)
        return;
    postFrameWrite(state->helper, &state->writes[state->heldWrite]);
    state->heldWrite = -1;
}
