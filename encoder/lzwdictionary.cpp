#include "encoder/lzwdictionary.h"
#include "encoder/lzwbitbuffer.h"

#include <cstdlib>
#include <cstring>

bool allocateLzwDictionary(LzwDictionary *dictionary, size_t maxPixels)
{
    dictionary->words = static_cast<uint32_t *>(calloc(size_t(1) << LzwDictionaryBits,
                                                      sizeof(uint32_t)));
    dictionary->codeBytes = static_cast<unsigned char *>(malloc(lzwCodeBytesFor(maxPixels)));
    dictionary->maxPixels = dictionary->codeBytes ? maxPixels : 0;
    return dictionary->words && dictionary->codeBytes;
}

void releaseLzwDictionary(LzwDictionary *dictionary)
{
    free(dictionary->words);
    free(dictionary->codeBytes);
    dictionary->words = nullptr;
    dictionary->codeBytes = nullptr;
    dictionary->maxPixels = 0;
}

void clearLzwDictionary(LzwDictionary *dictionary)
{
    memset(dictionary->words, 0, (size_t(1) << LzwDictionaryBits) * sizeof(uint32_t));
}
