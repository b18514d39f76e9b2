#ifndef SEQUENCEPICTURES_H
#define SEQUENCEPICTURES_H

#include "workers/framefile.h"
#include "workers/gifjob.h"

#include <QDir>
#include <QImageReader>

// The PNG pictures of a folder in name order, as bench/make-sequences.sh makes them, as
// frames of a job.
inline QList<FrameSource> sequencePictures(const QString &folder)
{
    QList<FrameSource> sources;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({"*.png"}, QDir::Files, QDir::Name)) {
        QImageReader reader(dir.filePath(name));
        const QSize size = pictureFrameSize(&reader);
        if (!size.isEmpty())
            sources << FrameSource::fromFile(dir.filePath(name), size);
    }
    return sources;
}

#endif
