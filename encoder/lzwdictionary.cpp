#include "encoder/lzwdictionary.h"

#include <cstdlib>

namespace {

const int DictionaryRows = 4096;
// Codes 258 to 4095 are the most a reset leaves behind.
const int MostAssigned = 4096;

} // namespace

bool allocateLzwDictionary(LzwDictionary *dictionary)
{
    dictionary->codes = static_cast<uint16_t *>(
        calloc(size_t(DictionaryRows) * LzwDictionaryColumns, sizeof(uint16_t)));
    dictionary->assigned = static_cast<uint32_t *>(malloc(MostAssigned * sizeof(uint32_t)));
    dictionary->assignedCount = 0;
    if (dictionary->codes && dictionary->assigned)
        return true;
    releaseLzwDictionary(dictionary);
    return false;
}

void releaseLzwDictionary(LzwDictionary *dictionary)
{
    free(dictionary->codes);
    free(dictionary->assigned);
    dictionary->codes = nullptr;
    dictionary->assigned = nullptr;
    dictionary->assignedCount = 0;
}

void clearLzwDictionary(LzwDictionary *dictionary)
{
    for (int i = 0; i < dictionary->assignedCount; ++i)
        dictionary->codes[dictionary->assigned[i]] = 0;
    dictionary->assignedCount = 0;
}
