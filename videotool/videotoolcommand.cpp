#include "videotool/videotoolcommand.h"

#include "rules/gifoutputname.h"
#include "videotool/videotimetext.h"

#include <QFileInfo>

QString videoToolPath(const QString &appFolder, const QString &program)
{
#ifdef Q_OS_WIN
    return appFolder + QLatin1Char('/') + program + QStringLiteral(".exe");
#else
    const QString besideProgram = appFolder + QLatin1Char('/') + program;
    return QFileInfo(besideProgram).isFile() ? besideProgram : program;
#endif
}

QStringList probeArguments(const QString &video)
{
    return {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
            QStringLiteral("v:0"), QStringLiteral("-show_entries"),
            QStringLiteral("stream=width,height:stream_side_data=rotation:format=duration"), QStringLiteral("-of"),
            QStringLiteral("json"), video};
}

QStringList stillArguments(const QString &video, qint64 atMs, const QString &stillPath)
{
    return {QStringLiteral("-nostdin"), QStringLiteral("-ss"), secondsTextFromMs(atMs),
            QStringLiteral("-i"), video, QStringLiteral("-frames:v"), QStringLiteral("1"),
            QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("image2"), stillPath};
}

QStringList clipArguments(const GifSettings &settings, const QString &video)
{
    QStringList arguments;
    if (settings.startMs > 0)
        arguments << QStringLiteral("-ss") << secondsTextFromMs(settings.startMs);
    if (settings.durationMs > 0)
        arguments << QStringLiteral("-t") << secondsTextFromMs(settings.durationMs);
    arguments << QStringLiteral("-i") << video;
    return arguments;
}

QString scaleFilter(const GifSettings &settings)
{
    if (settings.width <= 0 && settings.height <= 0)
        return QString();
    return QStringLiteral("scale=%1:%2")
        .arg(settings.width > 0 ? settings.width : -1)
        .arg(settings.height > 0 ? settings.height : -1);
}

QString frameFilters(const GifSettings &settings)
{
    QString chain = QStringLiteral("fps=") + QString::number(settings.frameRate);
    const QString scale = scaleFilter(settings);
    if (!scale.isEmpty())
        chain += QLatin1Char(',') + scale;
    return chain;
}

bool encodedByUs(const GifSettings &settings)
{
    return settings.quality < 100 || settings.maxBytes > 0;
}

QStringList decodeArguments(const GifSettings &settings, const QString &video,
                            const QVector<int> &places)
{
    QStringList arguments{QStringLiteral("-nostdin"), QStringLiteral("-v"),
                          QStringLiteral("error")};
    QString filters = frameFilters(settings);
    if (!places.isEmpty()) {
        QStringList chosen;
        for (int place : places)
            chosen << QStringLiteral("eq(n,%1)").arg(place);
        filters += QStringLiteral(",select='") + chosen.join(QLatin1Char('+'))
                   + QLatin1Char('\'');
    }
    // The first video stream, the one the probe measured.
    arguments << clipArguments(settings, video) << QStringLiteral("-map")
              << QStringLiteral("0:v:0") << QStringLiteral("-vf") << filters;
    // Without it the frames between those chosen are filled in with copies.
    if (!places.isEmpty())
        arguments << QStringLiteral("-vsync") << QStringLiteral("passthrough");
    arguments << QStringLiteral("-f") << QStringLiteral("rawvideo") << QStringLiteral("-pix_fmt")
              << QStringLiteral("rgba") << QStringLiteral("pipe:1");
    return arguments;
}

QStringList conversionArguments(const GifSettings &settings, const QString &video,
                                const QString &gifPath)
{
    QStringList arguments{QStringLiteral("-nostats"), QStringLiteral("-progress"),
                          QStringLiteral("pipe:1")};
    arguments << clipArguments(settings, video) << QStringLiteral("-r")
              << QString::number(settings.frameRate);
    const QString scale = scaleFilter(settings);
    if (settings.paletteFromClip) {
        // Frames are thinned and scaled before the palette pass holds them all. Ordered
        // dithering is several times faster than error diffusion at large sizes, and
        // smaller.
        arguments << QStringLiteral("-vf")
                  << frameFilters(settings)
                         + QStringLiteral(",split[a][b];[a]palettegen[p];"
                                          "[b][p]paletteuse=dither=bayer:bayer_scale=3");
    } else if (settings.width > 0 && settings.height > 0) {
        arguments << QStringLiteral("-s")
                  << QString::number(settings.width) + QLatin1Char('x')
                         + QString::number(settings.height);
    } else if (!scale.isEmpty()) {
        arguments << QStringLiteral("-vf") << scale;
    }
    arguments << QStringLiteral("-f") << QStringLiteral("gif") << QStringLiteral("-y") << gifPath;
    return arguments;
}

QSize gifSizeFor(int width, int height, const QSize &clipSize)
{
    if (width > 0 && height > 0)
        return QSize(width, height);
    if (clipSize.isEmpty())
        return QSize();
    if (width > 0)
        return QSize(width, qMax(1, qRound(double(width) * clipSize.height() / clipSize.width())));
    if (height > 0)
        return QSize(qMax(1, qRound(double(height) * clipSize.width() / clipSize.height())), height);
    return clipSize;
}

QString gifPathForVideo(const QString &outputFolder, const QString &video)
{
    return firstFreeGifPath(outputFolder + QLatin1Char('/') + QFileInfo(video).completeBaseName());
}
