#include "encoder/qualitystate.h"

#include <new>

QualityState *createQualityState(int level, bool smallerFile)
{
    QualityState *quality = new (std::nothrow) QualityState();
    if (!quality)
        return nullptr;
    quality->level = qualityLevelFor(level);
    quality->smallerFile = smallerFile;
    // The choosing pass follows strings only: it needs no room for code bytes.
    if (allocateLzwDictionary(&quality->strings[0].dictionary, 0)
        && allocateLzwDictionary(&quality->strings[1].dictionary, 0))
        return quality;
    destroyQualityState(quality);
    return nullptr;
}

void destroyQualityState(QualityState *quality)
{
    if (!quality)
        return;
    releaseLzwDictionary(&quality->strings[0].dictionary);
    releaseLzwDictionary(&quality->strings[1].dictionary);
    delete quality;
}
