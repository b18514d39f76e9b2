#include "pages/thumbnailfit.h"

QRect thumbnailPlacement(const QSize &image, const QSize &frame)
{
    const int pw = image.width();
    const int ph = image.height();
    const int bw = frame.width() - 1;
    const int bh = frame.height() - 1;
    int w = pw;
    int h = ph;
    if (bw <= pw) {
        w = bw;
        h = bw * ph / pw;
    } else if (bh <= ph) {
        h = bh;
        w = bh * pw / ph;
    }
    // A still fitted to the width can still be taller than the frame (a portrait phone
    // video); it is fitted to the height then, so that none of it is cut off.
    if (h > bh) {
        h = bh;
        w = bh * pw / ph;
    }
    return QRect((frame.width() - w) / 2, (frame.height() - h) / 2, w, h);
}
