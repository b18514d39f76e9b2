#include "rules/framedelay.h"

#include <algorithm>

int delayForFrameRate(int fps)
{
    return std::max(2, (200 + fps) / (2 * fps));
}

int clipFrameDelay(int index, int fps)
{
    // Hundredths from the clip's start to the start of frame n, rounded to the nearest.
    const auto startOf = [fps](long long n) { return (200 * n + fps) / (2 * fps); };
    return int(startOf(index + 1) - startOf(index));
}
