#include "support/gifdecoder.h"

#include <QFile>
#include <cstring>
#include <gif_lib.h>

namespace {

QVector<QRgb> coloursOf(const ColorMapObject *map)
{
    QVector<QRgb> colours;
    if (!map)
        return colours;
    for (int i = 0; i < map->ColorCount; ++i) {
        const GifColorType &c = map->Colors[i];
        colours.append(qRgb(c.Red, c.Green, c.Blue));
    }
    return colours;
}

// giflib hangs extensions on the image they precede; those after the last image hang on
// the file, which then has no frame to give a graphic control block to.
void readExtensions(int count, const ExtensionBlock *blocks, DecodedGif *gif,
                    DecodedFrame *frame)
{
    for (int e = 0; e < count; ++e) {
        const ExtensionBlock &block = blocks[e];
        if (block.Function == GRAPHICS_EXT_FUNC_CODE && frame) {
            GraphicsControlBlock gcb;
            if (DGifExtensionToGCB(block.ByteCount, block.Bytes, &gcb) == GIF_OK) {
                frame->delay = gcb.DelayTime;
                frame->disposal = gcb.DisposalMode;
                frame->transparentIndex = gcb.TransparentColor;
            }
        } else if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11
                   && memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
            gif->hasLoopExtension = true;
            // The loop count follows as a continuation sub-block: 01, low byte, high byte.
            if (e + 1 < count) {
                const ExtensionBlock &data = blocks[e + 1];
                if (data.Function == CONTINUE_EXT_FUNC_CODE && data.ByteCount >= 3)
                    gif->loopCount = data.Bytes[1] | (data.Bytes[2] << 8);
            }
        }
    }
}

void drawFrame(const SavedImage &image, const DecodedFrame &frame,
               const QVector<QRgb> &colours, QImage *canvas)
{
    const QRect visible = frame.rect.intersected(canvas->rect());
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const int index = image.RasterBits[(y - frame.rect.top()) * frame.rect.width()
                                               + (x - frame.rect.left())];
            if (index == frame.transparentIndex)
                continue;
            const QRgb c = index < colours.size() ? colours[index] : qRgb(0, 0, 0);
            uchar *pixel = canvas->scanLine(y) + x * 4;
            pixel[0] = qRed(c);
            pixel[1] = qGreen(c);
            pixel[2] = qBlue(c);
            pixel[3] = 255;
        }
    }
}

} // namespace

bool decodeGif(const QString &path, DecodedGif *out)
{
    *out = DecodedGif();
    int error = 0;
    GifFileType *file = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!file)
        return false;
    // giflib calls a file without images an error; to a viewer it is an empty animation.
    if (DGifSlurp(file) != GIF_OK
        && !(file->Error == D_GIF_ERR_NO_IMAG_DSCR && file->ImageCount == 0)) {
        DGifCloseFile(file, &error);
        return false;
    }
    out->canvasSize = QSize(file->SWidth, file->SHeight);
    out->globalColours = coloursOf(file->SColorMap);

    QImage canvas(out->canvasSize, QImage::Format_RGBA8888);
    canvas.fill(Qt::transparent);
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage &image = file->SavedImages[i];
        DecodedFrame frame;
        frame.rect = QRect(image.ImageDesc.Left, image.ImageDesc.Top,
                           image.ImageDesc.Width, image.ImageDesc.Height);
        frame.localColours = coloursOf(image.ImageDesc.ColorMap);
        frame.indices = QByteArray(reinterpret_cast<const char *>(image.RasterBits),
                                   image.ImageDesc.Width * image.ImageDesc.Height);
        readExtensions(image.ExtensionBlockCount, image.ExtensionBlocks, out, &frame);

        const QImage before = canvas;
        drawFrame(image, frame, frame.localColours.isEmpty() ? out->globalColours
                                                             : frame.localColours, &canvas);
        frame.canvas = canvas;
        out->frames.append(frame);

        // What the next frame starts from.
        if (frame.disposal == DISPOSE_BACKGROUND) {
            const QRect visible = frame.rect.intersected(canvas.rect());
            for (int y = visible.top(); y <= visible.bottom(); ++y)
                for (int x = visible.left(); x <= visible.right(); ++x)
                    canvas.setPixelColor(x, y, Qt::transparent);
        } else if (frame.disposal == DISPOSE_PREVIOUS) {
            canvas = before;
        }
    }
    readExtensions(file->ExtensionBlockCount, file->ExtensionBlocks, out, nullptr);
    DGifCloseFile(file, &error);
    return true;
}
