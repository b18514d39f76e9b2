#include "rules/framedelay.h"

#include <algorithm>

namespace {

// Hundredths of a second from the start to the end of the first frames frames.
long long elapsedAfter(int fps, long long frames)
{
    return 100 * frames / fps;
}

} // namespace

int delayOfFrame(int fps, int index)
{
    fps = std::max(fps, MinFrameRate);
    const int delay = int(elapsedAfter(fps, index + 1LL) - elapsedAfter(fps, index));
    return std::max(MinFrameDelay, delay);
}

int delayForFrameRate(int fps)
{
    return std::max(MinFrameDelay, (200 + fps) / (2 * fps));
}
