#ifndef STANDARDERRORMUTE_H
#define STANDARDERRORMUTE_H

// While it lives, what the process writes to standard error goes nowhere. A stopped job cuts
// its writes off, and libraries (libpng) call that an error on standard error themselves.
class StandardErrorMute
{
public:
    StandardErrorMute();
    ~StandardErrorMute();
    StandardErrorMute(const StandardErrorMute &) = delete;
    StandardErrorMute &operator=(const StandardErrorMute &) = delete;

private:
    int saved = -1;
};

#endif
