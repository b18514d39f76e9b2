#ifndef COMBOBOXSTYLE_H
#define COMBOBOXSTYLE_H

class QComboBox;

// The pages' drop-down box: the tiles' colours with the arrow image, font size 12·s, and a
// pop-up list without focus frames.
void styleComboBox(QComboBox *box);

#endif
