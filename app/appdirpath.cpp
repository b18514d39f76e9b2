#include "app/appdirpath.h"

QString appDirPath;
