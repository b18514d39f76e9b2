#ifndef MESSAGEQUESTIONS_H
#define MESSAGEQUESTIONS_H

#include <QString>

// Asks a question in a message dialog centred over the main window; true when the user
// chose the right-hand tile. The texts come translated by the caller.
bool askQuestion(const QString &message, const QString &leftText, const QString &rightText);

// Shows a notice with a single tile in a message dialog centred over the main window.
void showNotice(const QString &message, const QString &okText);

#endif
