#ifndef STOPPROCESS_H
#define STOPPROCESS_H

class QProcess;

// Ends a running process at once and waits for it, without reporting its end to anyone.
void stopProcess(QProcess &process);

#endif
