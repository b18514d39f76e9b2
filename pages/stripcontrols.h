#ifndef STRIPCONTROLS_H
#define STRIPCONTROLS_H

class ViewImageWidget;

// Gives the strip its mouse drag, its keys and its context menu.
void addStripControls(ViewImageWidget *strip);

#endif
