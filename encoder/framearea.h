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

#endif
