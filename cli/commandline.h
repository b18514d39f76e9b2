#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QStringList>

// The program's command line: `lumorra [FILE...]` opens the window, `lumorra create ...`,
// `lumorra video ...` and `lumorra resolve ...` run without one, as do --help and --version.

// Whether the arguments (the program's name first) ask for a command rather than the
// window: a command's name first, or any option that Qt's window options do not cover
// before a "--". Decided before an application object exists, so that no command ever
// needs a display.
bool runsAsCommand(const QStringList &arguments);

// Runs the command the process's arguments ask for and returns the exit status. Needs a
// QCoreApplication.
int runCommand(int argc, char *argv[]);

// The files the window is asked to open, as absolute paths: the arguments after the
// program's name that Qt's application object left, "--" left out.
QStringList filesToOpen(const QStringList &arguments);

#endif
