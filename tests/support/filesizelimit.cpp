#include "support/filesizelimit.h"

#ifdef Q_OS_UNIX
FileSizeLimit::FileSizeLimit(rlim_t bytes, bool ignoreSignal)
    : signalIgnored(ignoreSignal)
{
    if (ignoreSignal)
        savedHandler = signal(SIGXFSZ, SIG_IGN);
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
        return;
    rlimit small = saved;
    small.rlim_cur = bytes;
    limited = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (limited)
        setrlimit(RLIMIT_FSIZE, &saved);
    if (signalIgnored)
        signal(SIGXFSZ, savedHandler);
}
#endif
