#ifndef PNGFRAMEREADER_H
#define PNGFRAMEREADER_H

#include <QImage>

#include <vector>

// Buffers a reader keeps from one file to the next, so that decoding each frame does not
// ask the system for fresh memory each time.
struct PngScratch
{
    std::vector<unsigned char> file;
    std::vector<unsigned char> compressed;
    std::vector<unsigned char> filtered;
};

// Decodes a PNG file's bytes, which have passed pictureBytesIntact (chunks within the
// file, CRCs right), straight into an RGBA frame at about half the cost of Qt's
// reader and the conversions after it, for the kinds of PNG known to give exactly the
// frame that readFrameFile makes through Qt's reader: samples of 8 bits and fewer in every
// colour type, interlaced or not, with or without transparency, and only the chunks that
// cannot change what Qt's reader returns. Returns a null image for anything else (16-bit
// samples, other chunks, palette indices beyond the palette, damage, pictures too large
// for a frame, or a build without libdeflate and libspng): the caller then hands the bytes
// to Qt's reader, which decides.
QImage decodePngFrame(const unsigned char *data, size_t size, PngScratch *scratch);

#endif
