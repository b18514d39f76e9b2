#ifndef LZWDICTIONARY_H
#define LZWDICTIONARY_H

#include <cstdint>

// The LZW string table: row = code of the string matched so far, column = the next index,
// entry = code of the extended string, 0 = none yet. Allocated zero-filled once per file;
// instead of zero-filling its 2 MiB at every reset, only the entries assigned since the
// last reset (at most 3838) are cleared.
struct LzwDictionary
{
    uint16_t *codes;         // 4096 rows x 256 columns
    uint32_t *assigned;      // positions in codes set since the last clearing
    int assignedCount;
};

const int LzwDictionaryColumns = 256;

bool allocateLzwDictionary(LzwDictionary *dictionary);
void releaseLzwDictionary(LzwDictionary *dictionary);
void clearLzwDictionary(LzwDictionary *dictionary);

#endif
