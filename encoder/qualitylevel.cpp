#include "encoder/qualitylevel.h"

#include <cmath>

QualityLevel qualityLevelFor(int level)
{
    // How far below 100, 1 to 99; the tolerances grow with it in even steps, and the colours
    // halve every 25 levels below 95, so that every 10 levels give a clearly smaller file.
    const int below = 100 - (level < 1 ? 1 : level > 99 ? 99 : level);
    QualityLevel q;
    q.keepTolerance = 4 + below * 4 / 5;
    q.lzwTolerance = 4 + below / 2;
    q.stringBudget = 4 * q.lzwTolerance;
    q.refinePasses = 3;
    q.colours = below <= 5 ? 255 : int(std::lround(255 * std::exp2(-(below - 5) / 25.0)));
    return q;
}
