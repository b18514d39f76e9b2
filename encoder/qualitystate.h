#ifndef QUALITYSTATE_H
#define QUALITYSTATE_H

#include "encoder/framepalette.h"
#include "encoder/lzwdictionary.h"
#include "encoder/paletterefinement.h"
#include "encoder/qualitylevel.h"

#include <cstdint>

// The string a one-index string continues.
const uint16_t NoString = 0xFFFF;

// The LZW coder's strings as the pass that chooses indices follows them (the coder's own
// table may still be coding the frame before), as a tree: per code, the string it
// continues, its last index and how many pixels its longest continuation adds (its
// height); its continuations in a list, tallest first, with the previous and next of each
// (0 for none).
struct LzwStrings
{
    LzwDictionary dictionary; // finds a continuation by its index
    uint16_t continued[4096];
    unsigned char lastIndex[4096];
    unsigned char height[4096];
    uint16_t firstContinuation[4096];
    uint16_t lastContinuation[4096];
    uint16_t nextContinuation[4096];
    uint16_t previousContinuation[4096];
};

// What a file written below level 100 keeps besides the encoder's own buffers.
struct QualityState
{
    QualityLevel level;
    bool smallerFile; // a pixel whose picture stays keeps what is shown, however far
    // The two parts of a large frame, whose strings are chosen at the same time.
    LzwStrings strings[2];
    RefineSample samples[RefineSamples];
    // The frame's palette in eye space (see eyespace.h), where its pixels are searched.
    FramePalette eyePalette;
};

// The state of a file written at the level (1 to 99); null when there is no memory for it.
QualityState *createQualityState(int level, bool smallerFile);
void destroyQualityState(QualityState *quality);

#endif
