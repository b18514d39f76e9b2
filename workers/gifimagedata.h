#ifndef GIFIMAGEDATA_H
#define GIFIMAGEDATA_H

#include <cstddef>

// Checks one frame's image data without decoding it: the LZW minimum code size (2 to 8, as
// GIF defines it; decoders differ on a size of 1), then the data sub-blocks up to the
// empty one that ends them, whose codes must be valid and give at least pixels pixels
// before the end code or the end of the data. Only the lengths of the strings are
// followed, so the pass is cheap. Returns the number of bytes the image data
// takes, or 0 when it is cut off by the end of size bytes, defective, or too short.
size_t checkGifImageData(const unsigned char *data, size_t size, size_t pixels);

#endif
