#ifndef TEXTFIT_H
#define TEXTFIT_H

#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFont;

// The largest pixel size, from the font's own down to 9·s, at which every text is at most
// room pixels wide; 9·s when none is.
int fittedPixelSize(const QFont &font, const QStringList &texts, int room);

// Shrinks a combo box's font, given in its style sheet as designPixelSize, until its widest
// item fits beside the item icon. Called again after the items change.
void fitComboBoxText(QComboBox *box, int designPixelSize);
// The same for boxes that stand together: all take the size the tightest one needs.
void fitComboBoxTexts(const QList<QComboBox *> &boxes, int designPixelSize);

// The width a check box has for its text, beside its indicator.
int checkBoxTextRoom(const QCheckBox *box);

#endif
