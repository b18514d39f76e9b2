#ifndef CHECKBOXSTYLE_H
#define CHECKBOXSTYLE_H

#include <QString>

// The pages' check boxes on the dark theme: the text at fontSize, white or, disabled, grey;
// the box a bordered square of 13·s whose tick, white on orange, is seen at a glance.
QString checkBoxStyle(int fontSize, bool enabled);

#endif
