// Random frames of random sizes and options through the encoder, decoded with giflib:
// after every frame, the canvas a viewer shows must be what the encoder says it shows.
#include "encoder/gifencoder.h"
#include "encoder/gifstreamwriter.h"
#include "support/gifdecoder.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QVector>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

class Input
{
public:
    Input(const uint8_t *data, size_t size) : data(data), size(size) {}

    // The next byte, or 0 once the input is used up.
    int byte() { return at < size ? data[at++] : 0; }

    int below(int bound) { return (byte() << 8 | byte()) % bound; }

private:
    const uint8_t *data;
    size_t size;
    size_t at = 0;
};

// The file-wide options, from the input: the one place that grows with GifOptions.
GifOptions optionsFrom(Input *in)
{
    const int bits = in->byte();
    GifOptions options;
    options.smallerFile = bits & 1;
    options.alpha = bits & 2;
    options.playCount = in->below(4);
    // Half the inputs take the exact level, the rest one of the levels below it.
    options.quality = bits & 4 ? 1 + in->below(99) : 100;
    return options;
}

// A frame of colours drawn from a few the input names, placed by a generator it seeds:
// runs and repeats for the LZW coder, up to hundreds of colours for the palette. The 4th
// byte is random (ignored without alpha); with alpha, clear pixels come in runs too.
std::vector<unsigned char> frameFrom(Input *in, int width, int height)
{
    const int clearShare = in->below(4); // none, a quarter, half, three quarters
    const int colourCount = 1 + in->below(600);
    std::vector<uint32_t> colours(static_cast<size_t>(colourCount));
    for (uint32_t &colour : colours)
        colour = uint32_t(in->byte()) | uint32_t(in->byte()) << 8 | uint32_t(in->byte()) << 16;
    uint32_t state = uint32_t(in->byte() << 8 | in->byte()) | 1;
    const int runLength = 1 + in->below(64);
    std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
    uint32_t colour = colours[0];
    for (size_t i = 0; i < size_t(width) * size_t(height); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        if (int(state % uint32_t(runLength)) == 0)
            colour = colours[state / 7 % colours.size()];
        rgba[i * 4 + 0] = uint8_t(colour);
        rgba[i * 4 + 1] = uint8_t(colour >> 8);
        rgba[i * 4 + 2] = uint8_t(colour >> 16);
        const int quarter = int(state >> 30);
        rgba[i * 4 + 3] = quarter < clearShare ? uint8_t(state >> 24 & 0x7F)
                                               : uint8_t(state >> 24 | 0x80);
    }
    return rgba;
}

// What the encoder says a viewer shows: previousFrame's colours where some frame has drawn
// and the pixel is not clear.
QImage shownCanvas(const GifFileState &state)
{
    QImage image(state.canvasWidth, state.canvasHeight, QImage::Format_RGBA8888);
    image.fill(Qt::transparent);
    for (int y = 0; y < state.canvasHeight; ++y) {
        for (int x = 0; x < state.coveredWidth[y]; ++x) {
            const size_t i = size_t(y) * size_t(state.canvasWidth) + size_t(x);
            if (state.shownClear && state.shownClear[i])
                continue;
            const unsigned char *p = state.previousFrame + i * 4;
            image.setPixelColor(x, y, QColor(p[0], p[1], p[2]));
        }
    }
    return image;
}

// Names the first pixel where giflib and the encoder disagree, for the one who reads the
// fault.
void reportFirstDifference(int frame, const QImage &decoded, const QImage &shown,
                           const GifOptions &options)
{
    for (int y = 0; y < decoded.height(); ++y) {
        for (int x = 0; x < decoded.width(); ++x) {
            const QColor got = decoded.pixelColor(x, y);
            const QColor said = shown.pixelColor(x, y);
            if (got == said)
                continue;
            fprintf(stderr,
                    "frame %d shows other pixels than the encoder says: at %d,%d giflib shows "
                    "%s alpha %d, the encoder says %s alpha %d (quality %d, smaller file %d, "
                    "alpha %d)\n",
                    frame + 1, x, y, qPrintable(got.name()), got.alpha(),
                    qPrintable(said.name()), said.alpha(), options.quality,
                    int(options.smallerFile), int(options.alpha));
            return;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    const GifOptions options = optionsFrom(&in);
    // Mostly small canvases; now and then one large enough for the helper thread's share.
    const int largest = in.byte() & 1 ? 260 : 40;
    const int canvasWidth = 1 + in.below(largest);
    const int canvasHeight = 1 + in.below(largest);
    const int frameCount = 1 + in.below(4);
    const int depth = 2 + in.below(7);
    const int delay = in.below(300);
    static const QByteArray path = QFile::encodeName(
        QDir::tempPath() + QStringLiteral("/lumorra-fuzz-encoder-%1.gif").arg(getpid()));

    GifFileState state = openGifStream(path.constData(), canvasWidth, canvasHeight, delay, options);
    if (!state.outputFile)
        abort();
    GifEncoder encoder;
    QVector<QImage> shown;
    for (int i = 0; i < frameCount; ++i) {
        // With alpha the worker hands over canvas-sized frames only.
        const int width = options.alpha ? canvasWidth : 1 + in.below(canvasWidth);
        const int height = options.alpha ? canvasHeight : 1 + in.below(canvasHeight);
        const std::vector<unsigned char> rgba = frameFrom(&in, width, height);
        if (!encoder.encodeFrame(&state, rgba.data(), width, height, delay, depth))
            abort();
        shown.append(shownCanvas(state));
    }
    if (!closeGifStream(&state))
        abort();

    DecodedGif gif;
    if (!decodeGif(QFile::decodeName(path), &gif) || gif.frames.size() != frameCount) {
        fprintf(stderr, "giflib cannot decode the GIF\n");
        abort();
    }
    for (int i = 0; i < frameCount; ++i) {
        if (gif.frames[i].canvas != shown[i]) {
            reportFirstDifference(i, gif.frames[i].canvas, shown[i], options);
            abort();
        }
    }
    return 0;
}
