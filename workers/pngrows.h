#ifndef PNGROWS_H
#define PNGROWS_H

// Undoes the row filters of an 8-bit RGB or RGBA PNG picture that is not interlaced and
// writes it as RGBA rows without gaps, alpha 255 for RGB. filtered holds the height rows as
// inflated, each a filter type and width * channels bytes, and one spare byte after the
// last row. Returns false at a filter type that PNG does not define.
bool unfilterToRgba(const unsigned char *filtered, int width, int height, int channels,
                    unsigned char *rgba);

#endif
