#include "videotool/stopprocess.h"

#include <QProcess>
#include <QSignalBlocker>

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    const QSignalBlocker quiet(process);
    process.kill();
    process.waitForFinished();
}
