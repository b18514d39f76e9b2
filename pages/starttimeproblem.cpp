#include "pages/starttimeproblem.h"

#include "videotool/videotimetext.h"

#include <QCoreApplication>

QString startTimeProblem(const QString &text, qint64 clipMs)
{
    qint64 startMs = 0;
    if (!startTextToMs(text, &startMs))
        return QCoreApplication::translate("GifVideoWidget",
                                           "not a time: seconds, m:ss or h:mm:ss");
    // The last moment of the clip has no frame after it.
    if (clipMs > 0 && startMs >= clipMs)
        return QCoreApplication::translate("GifVideoWidget", "past the end of the clip (%1)")
            .arg(clipLengthText(clipMs));
    return QString();
}
