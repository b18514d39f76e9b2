#ifndef APPDIRPATH_H
#define APPDIRPATH_H

#include <QString>

// The executable's folder (forward slashes, no trailing slash), set once at start-up.
// The language files and the video tool are found relative to it.
extern QString appDirPath;

#endif
