#ifndef CANNOTFITNOTICE_H
#define CANNOTFITNOTICE_H

#include <QtGlobal>

// The notice of a job whose GIF does not fit its size limit (in bytes) even at the smallest
// settings; smallest is the least it comes to, 0 when not known. Nothing was written.
void showCannotFit(qint64 limit, qint64 smallest);

#endif
