#include "pages/previewframe.h"

#include "widgets/uiscale.h"
#include "workers/framecompose.h"
#include "workers/framefile.h"

#include <QPainter>
#include <cmath>

namespace {

// The most the frames read for one preview may take; beyond it they are shown smaller.
const double framesMemory = double(256 << 20);

// Clear pixels show the usual sign of transparency, in greys that sit well on the dark page.
void paintCheckerboard(QImage *image)
{
    const int square = scaled(8);
    QPainter painter(image);
    painter.fillRect(image->rect(), QColor(0x6a, 0x6a, 0x6a));
    for (int y = 0; y < image->height(); y += square) {
        for (int x = (y / square) % 2 * square; x < image->width(); x += 2 * square)
            painter.fillRect(x, y, square, square, QColor(0x9a, 0x9a, 0x9a));
    }
}

QSize scaledSize(const QSize &size, double scale)
{
    return QSize(qMax(1, qRound(size.width() * scale)), qMax(1, qRound(size.height() * scale)));
}

}

QSize previewCanvasSize(const QSize &canvas, const QSize &area, int frameCount)
{
    double scale = qMin(1.0, qMin(double(area.width()) / canvas.width(),
                                  double(area.height()) / canvas.height()));
    const double bytes = 4.0 * canvas.width() * canvas.height() * scale * scale * frameCount;
    if (bytes > framesMemory)
        scale *= std::sqrt(framesMemory / bytes);
    return scaledSize(canvas, scale);
}

QImage previewFrame(const FrameSource &frame, const GifJob &job, const QSize &shown,
                    QSize *size)
{
    const double scale = double(shown.width()) / job.canvas.width();
    const QSize drawn = scaledSize(resizedPicture(frame.size, job.choices.resize), scale);
    const QImage picture = readPictureFitting(frame.path, drawn, size);
    if (picture.isNull())
        return picture;
    // Read at the size it is drawn at, the picture keeps it.
    GifJobChoices choices = job.choices;
    choices.resize = QSize(0, 0);
    QImage shownFrame(shown, QImage::Format_RGB32);
    paintCheckerboard(&shownFrame);
    QPainter painter(&shownFrame);
    painter.drawImage(0, 0, composeOnCanvas(picture, shown, choices));
    return shownFrame;
}
