#ifndef COMMANDOUTPUT_H
#define COMMANDOUTPUT_H

#include <QString>
#include <QStringList>

class QCommandLineParser;

// Exit statuses of the command line.
const int ExitSucceeded = 0;
const int ExitFailed = 1;       // the work could not be done; the message says why
const int ExitBadUsage = 2;     // options or arguments that do not make a valid command
const int ExitInterrupted = 130; // stopped by Ctrl+C, as shells report a SIGINT

// Lets a program built as a window (no console of its own) write to the console it was
// started from.
void attachToStartingConsole();

void printOut(const QString &text);

// Writes "lumorra COMMAND: message" (or "lumorra: message") as one line on standard error,
// control characters escaped, and returns status, for `return fail(...)`.
int fail(const QString &command, const QString &message, int status = ExitFailed);

// The same for a command line that makes no valid command: Qt's parser texts and ours read
// alike, with a pointer to the command's help.
int failUsage(const QString &command, QString message);

// The same for a command line the parser refused; an unknown option is named as typed.
int failParse(const QString &command, const QCommandLineParser &parser,
              const QStringList &arguments);

// Writes "lumorra COMMAND: warning: message" as one line on standard error.
void warn(const QString &command, const QString &message);

// "cannot read PATH: ..." when path is not a readable file; empty when it is.
QString readProblem(const QString &path);

// "cannot write PATH: ..." when no file can be written at path (a folder is there, or its
// folder is missing); empty when one can be tried.
QString writeProblem(const QString &path);

// "cannot make PATH fit under LIMIT: ..." for a size limit not met even at the smallest
// settings; smallest is the least the GIF comes to, 0 when not known.
QString cannotFitProblem(const QString &path, qint64 limit, qint64 smallest);

// True when standard error goes to a terminal: only then is progress drawn.
bool standardErrorIsTerminal();

#endif
