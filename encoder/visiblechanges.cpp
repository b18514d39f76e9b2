#include "encoder/visiblechanges.h"
#include "encoder/clearpixel.h"
#include "encoder/eyespace.h"
#include "encoder/pixelword.h"
#include "encoder/qualitylevel.h"


namespace {

// What collectVisibleChanges leaves in the index plane for each pixel.
const unsigned char KeepMark = 0;
const unsigned char DrawMark = 1;
const unsigned char MayDrawMark = 2;

// Kept pixels in runs of up to this many between drawn ones may be drawn.
const int ShortGap = 24;

// Kept pixels in short runs between drawn ones may be drawn too (see mapVisibleChanges):
// each change from drawn to kept ends an LZW string. They join the pixels the palette is
// made from, in eye space at work; returns how many.
size_t markShortGaps(const unsigned char *row, unsigned char *marks, int first, int last,
                     unsigned char *work)
{
    size_t count = 0;
    int lastDrawn = first;
    for (int x = first + 1; x <= last; ++x) {
        if (marks[x] != DrawMark)
            continue;
        if (x - lastDrawn - 1 <= ShortGap) {
            for (int k = lastDrawn + 1; k < x; ++k) {
                marks[k] = MayDrawMark;
                toEyeSpace(row[k * 4], row[k * 4 + 1], row[k * 4 + 2], work + count * 4);
                count++;
            }
        }
        lastDrawn = x;
    }
    return count;
}

} // namespace

size_t collectVisibleChanges(int keepTolerance, int stillTolerance, const unsigned char *shown,
                             unsigned char *picture, const int *coveredWidth,
                             const unsigned char *clear, int canvasWidth,
                             const unsigned char *rgba, int width, int height,
                             unsigned char *work, unsigned char *marks, FrameArea *changed)
{
    FrameArea area = {width, height, 0, 0};
    size_t count = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        const size_t canvasRow = size_t(y) * size_t(canvasWidth) * 4;
        const unsigned char *shownRow = shown + canvasRow;
        unsigned char *pictureRow = picture + canvasRow;
        unsigned char *markRow = marks + size_t(y) * size_t(width);
        const int covered = coveredWidth[y] < width ? coveredWidth[y] : width;
        const unsigned char *clearRow = clear ? clear + size_t(y) * size_t(canvasWidth) : nullptr;
        int first = width;
        int last = -1;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = loadPixel(row, x);
            bool keep;
            if (clearRow && clearRow[x] == DrawnOverClear) {
                keep = false;
            } else if (x < covered && ((p ^ loadPixel(shownRow, x)) & RgbMask) != 0) {
                const unsigned char *s = shownRow + x * 4;
                const int difference = visibleDifference(row[x * 4] - s[0],
                                                         row[x * 4 + 1] - s[1],
                                                         row[x * 4 + 2] - s[2]);
                keep = difference <= keepTolerance
                       || (difference <= stillTolerance
                           && ((p ^ loadPixel(pictureRow, x)) & RgbMask) == 0);
            } else {
                keep = x < covered;
            }
            storePixel(pictureRow, x, p);
            markRow[x] = keep ? KeepMark : DrawMark;
            if (keep)
                continue;
            toEyeSpace(row[x * 4], row[x * 4 + 1], row[x * 4 + 2], work + count * 4);
            count++;
            first = x < first ? x : first;
            last = x;
        }
        if (last > first)
            count += markShortGaps(row, markRow, first, last, work + count * 4);
        if (last < 0)
            continue;
        growAreaByRow(&area, first, last + 1, y);
    }
    *changed = area;
    return count;
}

void mapVisibleChanges(const unsigned char *shown, int canvasWidth, const unsigned char *rgba,
                       int width, FrameArea area, unsigned char *indices,
                       const FramePalette *palette, ColourCellTable *cells)
{
    AnswerCount answered = {0, 0};
    for (int y = area.top; y < area.bottom; ++y) {
        const unsigned char *row = rgba + size_t(y) * size_t(width) * 4;
        const unsigned char *shownRow = shown + size_t(y) * size_t(canvasWidth) * 4;
        unsigned char *indexRow = indices + size_t(y) * size_t(width);
        for (int x = area.left; x < area.right; ++x) {
            const int mark = indexRow[x];
            if (mark == KeepMark)
                continue;
            const unsigned char *p = row + x * 4;
            unsigned char eye[3];
            toEyeSpace(p[0], p[1], p[2], eye);
            const int entry = nearestFromCells(cells, eye[0], eye[1], eye[2], &answered);
            const unsigned char *s = shownRow + x * 4;
            const bool nearer =
                mark == DrawMark
                || visibleDifference(p[0] - palette->red[entry], p[1] - palette->green[entry],
                                     p[2] - palette->blue[entry])
                       < visibleDifference(p[0] - s[0], p[1] - s[1], p[2] - s[2]);
            indexRow[x] = nearer ? (unsigned char)entry : 0;
        }
    }
    reviewAnswers(cells, answered);
}
