#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>

// Makes writes past the given size fail, in this process and in the programs it starts,
// the way a full disk does, until it goes out of scope. With ignoreSignal the process gets
// a write error instead of SIGXFSZ; programs it starts then ignore the signal too.
class FileSizeLimit
{
public:
    FileSizeLimit(rlim_t bytes, bool ignoreSignal);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // True when the limit is in force.
    bool active() const { return limited; }

private:
    rlimit saved;
    bool limited = false;
    bool signalIgnored;
    void (*savedHandler)(int) = SIG_DFL;
};
#endif

#endif
