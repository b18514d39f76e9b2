// Reading a GIF's layout and resolving it into frames, as the extraction worker does but
// without writing the PNG files. giflib, an independent decoder, must decode whole every
// frame our own pass over the LZW codes counts as whole.
#include "workers/gifframereader.h"

#include <QBuffer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gif_lib.h>
#include <vector>

namespace {

struct Memory
{
    const uint8_t *data;
    size_t size;
    size_t at;
};

int readMemory(GifFileType *gif, GifByteType *bytes, int count)
{
    auto *memory = static_cast<Memory *>(gif->UserData);
    const size_t taken = std::min(size_t(count), memory->size - memory->at);
    memcpy(bytes, memory->data + memory->at, taken);
    memory->at += taken;
    return int(taken);
}

// How many frames from the start giflib decodes whole, counting up to most.
int giflibWholeFrames(const uint8_t *data, size_t size, int most)
{
    Memory memory = {data, size, 0};
    int error = 0;
    GifFileType *gif = DGifOpen(&memory, readMemory, &error);
    if (!gif)
        return 0;
    int frames = 0;
    std::vector<GifPixelType> line;
    GifRecordType type;
    bool going = true;
    while (going && frames < most && DGifGetRecordType(gif, &type) == GIF_OK) {
        if (type == IMAGE_DESC_RECORD_TYPE) {
            going = DGifGetImageDesc(gif) == GIF_OK;
            const int width = gif->Image.Width;
            line.resize(size_t(std::max(width, 1)));
            for (int y = 0; going && y < gif->Image.Height; ++y)
                going = DGifGetLine(gif, line.data(), width) == GIF_OK;
            frames += going ? 1 : 0;
        } else if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType *extension = nullptr;
            going = DGifGetExtension(gif, &code, &extension) == GIF_OK;
            while (going && extension)
                going = DGifGetExtensionNext(gif, &extension) == GIF_OK;
        } else {
            going = false;
        }
    }
    DGifCloseFile(gif, &error);
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    GifFrameReader frames(&buffer);
    const GifLayout &layout = frames.layout();
    if (layout.wholeFrames > giflibWholeFrames(data, size, layout.wholeFrames)) {
        fprintf(stderr, "our pass counts %d whole frames, giflib fewer\n", layout.wholeFrames);
        abort();
    }
    // Large canvases only cost time here: the limits that refuse them are tested apart.
    const qint64 canvasPixels = qint64(layout.canvas.width()) * layout.canvas.height();
    if (frames.problem() != GifFrameReader::Problem::None || canvasPixels > (1 << 20)
        || canvasPixels * layout.wholeFrames > (1 << 24))
        return 0;
    for (int i = 0; i < layout.wholeFrames && !frames.readFrame().isNull(); ++i) {
    }
    return 0;
}
