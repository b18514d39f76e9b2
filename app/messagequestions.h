#ifndef MESSAGEQUESTIONS_H
#define MESSAGEQUESTIONS_H

#include <QString>

#include <functional>

class QWidget;

// Asks a question in a message dialog centred over the main window; true when the user
// chose the right-hand tile. The texts come translated by the caller.
bool askQuestion(const QString &message, const QString &leftText, const QString &rightText);

// Shows a notice with a single tile in a message dialog centred over the main window.
void showNotice(const QString &message, const QString &okText);

// A number to ask for: the question, its bounds, how many decimals it has (0 for a whole
// number) and the number the box starts with.
struct NumberQuestion
{
    QString text;
    double least = 0;
    double most = 0;
    int decimals = 0;
    double current = 0;
};

// Asks for a number in a dialog over parent, centred over the main window, without waiting
// for the answer: answer runs with the number when the user chose "OK", cancelled (when
// given) when the dialog was closed otherwise.
void askNumber(QWidget *parent, const NumberQuestion &question,
               const std::function<void(double)> &answer,
               const std::function<void()> &cancelled = {});

#endif
