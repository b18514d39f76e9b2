#include "cli/standarderrormute.h"

#include <QtGlobal>
#include <cstdio>
#include <fcntl.h>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
int errorDescriptor() { return _fileno(stderr); }
int openNowhere() { return _open("NUL", _O_WRONLY); }
int duplicate(int descriptor) { return _dup(descriptor); }
void replace(int from, int to) { _dup2(from, to); }
void closeDescriptor(int descriptor) { _close(descriptor); }
#else
int errorDescriptor() { return fileno(stderr); }
int openNowhere() { return open("/dev/null", O_WRONLY | O_CLOEXEC); }
int duplicate(int descriptor) { return fcntl(descriptor, F_DUPFD_CLOEXEC, 0); }
void replace(int from, int to) { dup2(from, to); }
void closeDescriptor(int descriptor) { close(descriptor); }
#endif

} // namespace

StandardErrorMute::StandardErrorMute()
{
    std::fflush(stderr);
    const int nowhere = openNowhere();
    if (nowhere < 0)
        return;
    saved = duplicate(errorDescriptor());
    if (saved >= 0)
        replace(nowhere, errorDescriptor());
    closeDescriptor(nowhere);
}

StandardErrorMute::~StandardErrorMute()
{
    if (saved < 0)
        return;
    std::fflush(stderr);
    replace(saved, errorDescriptor());
    closeDescriptor(saved);
}
