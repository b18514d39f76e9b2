#ifndef UISCALE_H
#define UISCALE_H

// The interface scale, 1.0 to 1.8, set once by the main window from the screen's dpi.
extern float uiScale;

// A design size k at the current scale: the integer part of uiScale * k.
int scaled(int k);

// The interface scale for a screen's logical dpi: dpi / 96, at least 1.0, at most 1.8.
float scaleForDpi(int logicalDpiX, int logicalDpiY);

#endif
