#include "widgets/uiscale.h"

#include <algorithm>

float uiScale = 1.0f;

int scaled(int k)
{
    return static_cast<int>(uiScale * k);
}

float scaleForDpi(int logicalDpiX, int logicalDpiY)
{
    const float f = std::min(logicalDpiX / 96.0f, logicalDpiY / 96.0f);
    return std::min(1.8f, std::max(1.0f, f));
}
