#ifndef TILESTYLE_H
#define TILESTYLE_H

#include <QString>

class MyTempButton2;

// The three looks of the pages' tiles: plain (most tiles), plain with a blank before the
// background rule (the start page's folder chooser), and bold (the start page's mode tiles).
enum class TileLook { Plain, Spaced, Bold };

// Gives a tile its normal, hover and disabled style sheets at font size 13·s,
// centres its text and enables it.
void styleTile(MyTempButton2 *tile, TileLook look = TileLook::Plain);

// The dark bordered panel behind the dialogs and the busy overlay.
QString panelSheet();

#endif
