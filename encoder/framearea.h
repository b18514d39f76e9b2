#ifndef FRAMEAREA_H
#define FRAMEAREA_H

// A rectangle of a frame's pixels: columns left to right - 1, rows top to bottom - 1.
struct FrameArea
{
    int left;
    int top;
    int right;
    int bottom;
};

// Grows area, empty or not, to hold columns first to end - 1 of row y; rows come in
// increasing order.
inline void growAreaByRow(FrameArea *area, int first, int end, int y)
{
    area->left = first < area->left ? first : area->left;
    area->right = end > area->right ? end : area->right;
    area->top = y < area->top ? y : area->top;
    area->bottom = y + 1;
}

#endif
