#ifndef LZWDICTIONARY_H
#define LZWDICTIONARY_H

#include <cstddef>
#include <cstdint>

// The LZW coder's memory for one file: the string table and room for a frame's code bytes.
// The table maps (code of the string matched so far, next index) to the code
// of the extended string. An open-addressing hash of 32768 words, 128 KiB, instead of a
// direct 4096 x 256 table of 2 MiB: it stays in the second-level cache, and clearing it
// at a reset is one small fill. A reset leaves at most 3838 strings, so it is never more
// than an eighth full and a lookup seldom looks at a second word: on photos, where
// strings are short, that costs less than a table that fits the first-level cache.
struct LzwDictionary
{
    // Per word: string key (code << 8 | index) << 12 | code of the extended string;
    // 0 = empty (no string gets a code below 258).
    uint32_t *words;
    // Room for one frame's code bytes, frames of up to maxPixels pixels, before they are cut
    // into sub-blocks.
    unsigned char *codeBytes;
    size_t maxPixels;
};

const int LzwDictionaryBits = 15;
const uint32_t LzwDictionaryMask = (1u << LzwDictionaryBits) - 1;

inline uint32_t lzwDictionarySlot(uint32_t key)
{
    return (key * 2654435761u) >> (32 - LzwDictionaryBits);
}

// Where the key (code << 8 | index) is stored, or the empty word where it would go.
inline uint32_t lzwFindSlot(const uint32_t *words, uint32_t key)
{
    uint32_t slot = lzwDictionarySlot(key);
    while (words[slot] != 0 && (words[slot] >> 12) != key)
        slot = (slot + 1) & LzwDictionaryMask;
    return slot;
}

// Allocates the table and room for the codes of frames of up to maxPixels pixels.
bool allocateLzwDictionary(LzwDictionary *dictionary, size_t maxPixels);
void releaseLzwDictionary(LzwDictionary *dictionary);
void clearLzwDictionary(LzwDictionary *dictionary);

#endif
