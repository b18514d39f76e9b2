#ifndef UISCALE_H
#define UISCALE_H

class QSize;

// The interface scale, 1.0 to 1.8, set once by the main window from the screen's dpi and
// the room the screen offers.
extern float uiScale;

// A design size k at the current scale: the integer part of uiScale * k.
int scaled(int k);

// The interface scale for a screen's logical dpi: dpi / 96, at least 1.0, at most 1.8.
float scaleForDpi(int logicalDpiX, int logicalDpiY);

// The largest scale up to scale at which a window of designSize (its size at 1.0) fits in
// available, whole; never below 1.0, where a window too large for the screen stays.
float scaleToFit(float scale, const QSize &designSize, const QSize &available);

#endif
