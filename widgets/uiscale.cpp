#include "widgets/uiscale.h"

#include <QSize>
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

float scaleToFit(float scale, const QSize &designSize, const QSize &available,
                 float pixelRatio)
{
    if (designSize.isEmpty() || available.isEmpty() || pixelRatio <= 0)
        return scale;
    const float room = std::min(float(available.width()) / designSize.width(),
                                float(available.height()) / designSize.height());
    return std::max(std::min(scale, 1.0f / pixelRatio), std::min(scale, room));
}
