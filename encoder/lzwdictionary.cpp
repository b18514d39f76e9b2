#include "encoder/lzwdictionary.h"

#include <cstdlib>
#include <cstring>

bool allocateLzwDictionary(LzwDictionary *dictionary)
{
    dictionary->words = static_cast<uint32_t *>(calloc(size_t(1) << LzwDictionaryBits,
                                                      sizeof(uint32_t)));
    return dictionary->words != nullptr;
}

void releaseLzwDictionary(LzwDictionary *dictionary)
{
    free(dictionary->words);
    dictionary->words = nullptr;
}

void clearLzwDictionary(LzwDictionary *dictionary)
{
    memset(dictionary->words, 0, (size_t(1) << LzwDictionaryBits) * sizeof(uint32_t));
}
