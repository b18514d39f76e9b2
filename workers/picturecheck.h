#ifndef PICTURECHECK_H
#define PICTURECHECK_H

#include <cstddef>

// Whether a picture file is whole and undamaged as far as our own reading of its structure
// goes, before any image reader sees it: the readers of Qt fill in what is missing from a
// JPEG or BMP cut short and report success, and a PNG chunk may declare gigabytes that
// the PNG reader then tries to allocate.
//   PNG: every chunk lies within the file with a correct CRC, there is image data enough to
//        give the picture's rows at deflate's best, and the end chunk is reached.
//   JPEG: the markers run through at least one scan to the end-of-image marker.
//   BMP: the pixel data the header declares lies within the file; compressed data (RLE)
//        reaches its end-of-bitmap code or its last row.
//   GIF: its first frame is whole (a still picture is its first frame), and its screen,
//        which the reader decodes onto, is no larger than a frame may be.
// Other formats are left to their readers.
bool pictureBytesIntact(const unsigned char *data, size_t size);

#endif
