#ifndef UISCALE_H
#define UISCALE_H

class QSize;

// The interface scale, set once by the main window from the screen's dpi and the room the
// screen offers: 1.0 to 1.8, lower only where the screen's device pixel ratio enlarges
// everything already and the window would not fit.
extern float uiScale;

// A design size k at the current scale: the integer part of uiScale * k.
int scaled(int k);

// The interface scale for a screen's logical dpi: dpi / 96, at least 1.0, at most 1.8.
float scaleForDpi(int logicalDpiX, int logicalDpiY);

// The largest scale up to scale at which a window of designSize (its size at 1.0) fits in
// available, whole; never so low that the window is smaller than designed in the screen's
// own pixels (1 / pixelRatio), where a window too large for the screen stays.
float scaleToFit(float scale, const QSize &designSize, const QSize &available,
                 float pixelRatio = 1.0f);

#endif
