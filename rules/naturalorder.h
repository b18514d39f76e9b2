#ifndef NATURALORDER_H
#define NATURALORDER_H

#include <QStringList>

// The paths in the order a person reads numbered names: "frame2" before "frame10", case
// ignored. Paths that compare equal keep their order.
QStringList inNaturalOrder(QStringList paths);

#endif
