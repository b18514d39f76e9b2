#include "cli/createchoices.h"

#include "cli/timingfile.h"
#include "encoder/gifstreamwriter.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString sideFromOption(const QCommandLineParser &parser, const QCommandLineOption &option,
                       int *side)
{
    if (!parser.isSet(option))
        return QString();
    bool isNumber = false;
    *side = parser.value(option).toInt(&isNumber);
    if (isNumber && *side >= 1 && *side <= MaxGifSide)
        return QString();
    return QStringLiteral("--%1 takes a whole number of pixels from 1 to %2, not '%3'")
        .arg(option.names().first())
        .arg(MaxGifSide)
        .arg(parser.value(option));
}

} // namespace

QString frameChoicesFromOptions(const QCommandLineParser &parser,
                                const FrameChoiceOptions &options, GifJobChoices *choices)
{
    const QString place = parser.value(options.place);
    if (place == QLatin1String("topleft"))
        choices->placement = Placement::TopLeft;
    else if (place == QLatin1String("centre") || place == QLatin1String("center"))
        choices->placement = Placement::Centred;
    else if (place == QLatin1String("fit"))
        choices->placement = Placement::ScaledToFit;
    else
        return QStringLiteral("--place takes topleft, centre or fit, not '%1'").arg(place);

    int width = 0;
    int height = 0;
    QString problem = sideFromOption(parser, options.width, &width);
    if (problem.isEmpty())
        problem = sideFromOption(parser, options.height, &height);
    if (!problem.isEmpty())
        return problem;
    choices->resize = QSize(width, height);

    choices->encoding.playCount = playCountFromText(parser.value(options.loop));
    if (choices->encoding.playCount < 0)
        return QStringLiteral("--loop takes forever or a number of plays from 1 to 65536, "
                              "not '%1'")
            .arg(parser.value(options.loop));
    return QString();
}

FrameList frameListFromOptions(const QCommandLineParser &parser,
                               const FrameChoiceOptions &options, const QStringList &images,
                               bool rateGiven, GifJobChoices *choices, QString *usage,
                               QString *problem)
{
    FrameList list;
    if (parser.isSet(options.timing)) {
        if (!images.isEmpty() || rateGiven || parser.isSet(options.delays)
            || parser.isSet(options.loop)) {
            *usage = QStringLiteral("--timing gives the images, their delays and the loop: "
                                    "leave out images, --fps, --delays and --loop");
            return list;
        }
        const QString path = parser.value(options.timing);
        TimingFile timing;
        if (!readTimingFile(path, &timing, problem))
            return list;
        // Pictures are named relative to the timing file's folder.
        const QDir folder = QFileInfo(path).absoluteDir();
        for (const QString &picture : timing.pictures)
            list.images << QDir::cleanPath(folder.absoluteFilePath(picture));
        list.delays = timing.delays;
        choices->encoding.playCount = timing.playCount;
        return list;
    }

    list.images = images;
    if (!parser.isSet(options.delays))
        return list;
    if (rateGiven) {
        *usage = QStringLiteral("--delays gives every frame its delay: leave out --fps");
        return list;
    }
    const QString path = parser.value(options.delays);
    if (!readDelaysFile(path, &list.delays, problem))
        return list;
    if (list.delays.size() != images.size())
        *problem = QStringLiteral("%1 has %2 delays for %3 images: one line a frame, in the "
                                  "order of the images")
                       .arg(path)
                       .arg(list.delays.size())
                       .arg(images.size());
    return list;
}
