#include "cli/timingfile.h"

#include "cli/commandoutput.h"
#include "rules/framedelay.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

const int MaxDelay = 65535;
const int MaxPlayCount = 65536;

// The lines that say something, with their numbers from 1; false when the file cannot be
// read.
bool meaningfulLines(const QString &path, QList<QPair<int, QString>> *lines, QString *problem)
{
    *problem = readProblem(path);
    QFile file(path);
    if (!problem->isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (problem->isEmpty())
            *problem = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");
    for (int number = 1; !in.atEnd(); ++number) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines->append({number, line});
    }
    return true;
}

// The delay the text gives, or -1.
int delayFromText(const QString &text)
{
    bool isNumber = false;
    const int delay = text.toInt(&isNumber);
    return isNumber && delay >= MinFrameDelay && delay <= MaxDelay ? delay : -1;
}

QString badDelay(const QString &path, int line, const QString &text)
{
    return QStringLiteral("%1:%2: '%3' is not a delay: a whole number of hundredths of a "
                          "second from %4 to %5")
        .arg(path)
        .arg(line)
        .arg(text)
        .arg(MinFrameDelay)
        .arg(MaxDelay);
}

} // namespace

int playCountFromText(const QString &text)
{
    if (text == QLatin1String("forever"))
        return 0;
    bool isNumber = false;
    const int plays = text.toInt(&isNumber);
    return isNumber && plays >= 1 && plays <= MaxPlayCount ? plays : -1;
}

bool readTimingFile(const QString &path, TimingFile *timing, QString *problem)
{
    QList<QPair<int, QString>> lines;
    if (!meaningfulLines(path, &lines, problem))
        return false;
    if (lines.isEmpty()) {
        *problem = QStringLiteral("%1: empty: it starts with 'loop forever' or 'loop N'").arg(path);
        return false;
    }
    const QStringList loop = lines.first().second.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    timing->playCount = loop.size() == 2 && loop.first() == QLatin1String("loop")
                            ? playCountFromText(loop.last())
                            : -1;
    if (timing->playCount < 0) {
        *problem = QStringLiteral("%1:%2: '%3' is not 'loop forever' or 'loop N' (N from 1 "
                                  "to %4)")
                       .arg(path)
                       .arg(lines.first().first)
                       .arg(lines.first().second)
                       .arg(MaxPlayCount);
        return false;
    }
    for (const auto &line : lines.mid(1)) {
        int space = line.second.size() - 1;
        while (space >= 0 && !line.second.at(space).isSpace())
            space--;
        if (space < 0) {
            *problem = QStringLiteral("%1:%2: '%3' is not a picture and its delay")
                           .arg(path)
                           .arg(line.first)
                           .arg(line.second);
            return false;
        }
        const QString delayText = line.second.mid(space + 1);
        const int delay = delayFromText(delayText);
        if (delay < 0) {
            *problem = badDelay(path, line.first, delayText);
            return false;
        }
        timing->pictures << line.second.left(space).trimmed();
        timing->delays << delay;
    }
    if (timing->pictures.isEmpty()) {
        *problem = QStringLiteral("%1: no frames after the loop line").arg(path);
        return false;
    }
    return true;
}

bool writeTimingFile(const QString &path, const TimingFile &timing)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << "loop "
        << (timing.playCount == 0 ? QStringLiteral("forever") : QString::number(timing.playCount))
        << '\n';
    for (int i = 0; i < timing.pictures.size(); ++i)
        out << timing.pictures.at(i) << ' ' << timing.delays.value(i) << '\n';
    out.flush();
    return out.status() == QTextStream::Ok && file.commit();
}

bool readDelaysFile(const QString &path, QList<int> *delays, QString *problem)
{
    QList<QPair<int, QString>> lines;
    if (!meaningfulLines(path, &lines, problem))
        return false;
    for (const auto &line : lines) {
        const int delay = delayFromText(line.second);
        if (delay < 0) {
            *problem = badDelay(path, line.first, line.second);
            return false;
        }
        delays->append(delay);
    }
    return true;
}
