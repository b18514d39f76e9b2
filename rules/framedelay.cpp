#include "rules/framedelay.h"

#include <algorithm>

int delayForFrameRate(int fps)
{
    return std::max(2, (200 + fps) / (2 * fps));
}
