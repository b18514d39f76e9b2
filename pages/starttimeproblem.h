#ifndef STARTTIMEPROBLEM_H
#define STARTTIMEPROBLEM_H

#include <QString>

// Why the video form's start time cannot be used for a clip of clipMs (0 when its length
// is not known), as the field's tooltip says while it is typed; empty when it can.
QString startTimeProblem(const QString &text, qint64 clipMs);

#endif
