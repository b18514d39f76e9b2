#ifndef QUALITYLEVEL_H
#define QUALITYLEVEL_H

// What a quality level below 100 lets the encoder change; differences in the units of
// visibleDifference.
struct QualityLevel
{
    // A pixel whose picture is at most this far from what is shown keeps it (transparent).
    int keepTolerance;
    // How much further from its picture than its own colour a pixel may be shown when that
    // continues a string the LZW coder already knows, and how much one string may take in
    // all.
    int lzwTolerance;
    int stringBudget;
    // Passes that move each palette entry to the mean of the pixels nearest to it.
    int refinePasses;
    // Palette entries per frame at most (255 down to a few dozen): fewer colours make
    // strings repeat more.
    int colours;
};

// The settings of a level from 1 to 99.
QualityLevel qualityLevelFor(int level);

// A colour (or a difference of colours) as the eye weighs it: luma and the red and blue
// differences from it, each times 256, so that visible differences are a few subtractions.
struct Weighed
{
    int luma;
    int red;
    int blue;
};

inline Weighed weigh(int red, int green, int blue)
{
    const int luma = 77 * red + 150 * green + 29 * blue;
    return {luma, 256 * red - luma, 256 * blue - luma};
}

// How visible the difference between two colours is: the change of luma counts in full,
// each change of colour a quarter. In quarter steps: equal differences d on every channel
// (grey) give 4 d.
inline int weighedDifference(const Weighed &a, const Weighed &b)
{
    const auto magnitude = [](int v) { return v < 0 ? -v : v; };
    return (4 * magnitude(a.luma - b.luma) + magnitude(a.red - b.red)
            + magnitude(a.blue - b.blue))
           >> 8;
}

// The same from the differences in red, green and blue.
inline int visibleDifference(int red, int green, int blue)
{
    return weighedDifference(weigh(red, green, blue), Weighed{0, 0, 0});
}

#endif
