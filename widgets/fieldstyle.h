#ifndef FIELDSTYLE_H
#define FIELDSTYLE_H

#include <QString>

class QLineEdit;

// The pages' text fields: white text on the tiles' grey, greyed text when disabled, and
// one look for a field whose value cannot be used: a light red border on a reddish ground.
QString fieldStyle(int fontSize, bool enabled);

// Marks the field as holding a value that cannot be used, with why in its tooltip, or,
// with why empty, takes the mark off. The field needs fieldStyle() to show it.
void setFieldProblem(QLineEdit *field, const QString &why);

#endif
