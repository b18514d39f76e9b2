#ifndef EYESPACE_H
#define EYESPACE_H

// Colours as the eye weighs them, for palettes below level 100: luma, and the blue and red
// differences from it at a quarter weight, each in a byte. Sums of absolute differences
// here count a change of brightness four times as much as the same change of colour, so
// the median split, the refinement and the nearest-colour search spend the palette where
// brightness varies: the eye resolves detail in brightness much more finely than in colour
// (as SSIM on luma does). The colours written are exact means, not these coarser bytes.
inline int clampByte(int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

inline void toEyeSpace(int red, int green, int blue, unsigned char eye[3])
{
    const int luma = (77 * red + 150 * green + 29 * blue + 128) >> 8;
    // Differences of -255 to 255 give bytes of 64 to 191.
    eye[0] = (unsigned char)luma;
    eye[1] = (unsigned char)(128 + ((blue - luma) >> 2));
    eye[2] = (unsigned char)(128 + ((red - luma) >> 2));
}

inline void fromEyeSpace(const unsigned char eye[3], unsigned char rgb[3])
{
    const int luma = eye[0];
    const int blue = luma + 4 * (eye[1] - 128);
    const int red = luma + 4 * (eye[2] - 128);
    const int green = (256 * luma - 77 * red - 29 * blue + 75) / 150;
    rgb[0] = (unsigned char)clampByte(red);
    rgb[1] = (unsigned char)clampByte(green);
    rgb[2] = (unsigned char)clampByte(blue);
}

#endif
