// Redraws the program's compiled-in artwork.
//
//   draw-artwork OUTPUT_FOLDER [ICON_FOLDER]
//
// writes program.png, minclose.png, del.png, arrowDown.png, arrowtest.png, tick.png and
// small_loadimg2.gif into OUTPUT_FOLDER (resources/images), and, when ICON_FOLDER is
// given, the program icon as ICON_FOLDER/<N>x<N>/apps/lumorra.png for the hicolor theme.

#include "workers/gifcreaterthread.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

namespace {

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// The program icon, designed on a 256 grid: a warm tile carrying a strip of film whose
// three frames show a ball rising, the still-to-moving idea of the tool. Below 48 pixels
// the sprocket holes and the third frame would only blur, so they are left out.
QImage programIcon(int size)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const bool detailed = size >= 48;

    QLinearGradient tile(0, 0, 256, 256);
    tile.setColorAt(0.0, QColor("#ff8a3d"));
    tile.setColorAt(1.0, QColor("#d4327a"));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 52, 52);

    // The film strip, slightly wider than the tile's inner area so it reads as a band.
    const QRectF strip(20, 60, 216, 136);
    p.setBrush(QColor("#26222c"));
    p.drawRoundedRect(strip, 14, 14);

    if (detailed) {
        const int holes = 8;
        const qreal holeW = 14, holeH = 12;
        const qreal span = strip.width() - 36;
        const qreal step = (span - holeW) / (holes - 1);
        p.setBrush(QColor("#f4ece6"));
        for (int i = 0; i < holes; ++i) {
            const qreal x = strip.left() + 18 + i * step;
            p.drawRoundedRect(QRectF(x, strip.top() + 9, holeW, holeH), 3, 3);
            p.drawRoundedRect(QRectF(x, strip.bottom() - 9 - holeH, holeW, holeH), 3, 3);
        }
    }

    const int frames = detailed ? 3 : 2;
    const qreal gap = detailed ? 10 : 14;
    const qreal frameTop = detailed ? 92 : 80;
    const qreal frameH = detailed ? 72 : 96;
    const qreal frameW = (strip.width() - 28 - gap * (frames - 1)) / frames;
    // Ball heights within the frame, from resting low to risen high.
    const qreal rise[3] = {0.72, 0.48, 0.26};
    for (int i = 0; i < frames; ++i) {
        const QRectF frame(strip.left() + 14 + i * (frameW + gap), frameTop, frameW, frameH);
        QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
        sky.setColorAt(0.0, QColor("#fff4d6"));
        sky.setColorAt(1.0, QColor("#ffd89a"));
        p.setBrush(sky);
        p.drawRoundedRect(frame, 6, 6);

        const int step = detailed ? i : i * 2;
        const qreal radius = frameW * (detailed ? 0.2 : 0.22);
        const QPointF centre(frame.center().x(), frame.top() + frameH * rise[step]);
        QRadialGradient ball(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
        ball.setColorAt(0.0, QColor("#5ee6d6"));
        ball.setColorAt(1.0, QColor("#12928a"));
        p.setBrush(ball);
        p.drawEllipse(centre, radius, radius);
    }
    return image;
}

// Menu, minimize and close glyphs in 26 x 26 cells at x 5, 30 and 55: light grey at rest
// (row y 0) for the dark title bar, white on a faint plate when hovered (row y 28).
QImage titleBarSprite()
{
    QImage image = transparentImage(82, 60);
    QPainter p(&image);
    const int cellX[3] = {5, 30, 55};
    const int rowY[2] = {0, 28};
    for (int row = 0; row < 2; ++row) {
        const QColor glyph = row == 0 ? QColor("#c4c4c4") : QColor("#ffffff");
        for (int c = 0; c < 3; ++c) {
            const int x = cellX[c];
            const int y = rowY[row];
            p.setRenderHint(QPainter::Antialiasing);
            if (row == 1) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 255, 38));
                p.drawRoundedRect(QRectF(x + 1, y + 1, 24, 24), 4, 4);
            }
            // The bars sit on whole pixels so they stay sharp at scale 1.
            p.setRenderHint(QPainter::Antialiasing, false);
            if (c == 0) {
                for (int bar = 0; bar < 3; ++bar)
                    p.fillRect(x + 7, y + 8 + bar * 4, 12, 2, glyph);
            } else if (c == 1) {
                p.fillRect(x + 7, y + 15, 12, 2, glyph);
            } else {
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(glyph, 2.0, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(x + 8.5, y + 8.5), QPointF(x + 17.5, y + 17.5));
                p.drawLine(QPointF(x + 17.5, y + 8.5), QPointF(x + 8.5, y + 17.5));
            }
        }
    }
    return image;
}

// The delete badge of the thumbnail tiles: a red disc with a white cross. The cells
// (1,2), (1,17) and (1,31), 15 x 15 each, share a row between hover and pressed, so
// every disc keeps a one-pixel margin inside its cell.
QImage deleteSprite()
{
    QImage image = transparentImage(17, 47);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int cellY[3] = {2, 17, 31};
    const QColor fill[3] = {QColor("#d9473f"), QColor("#f2615a"), QColor("#a8312b")};
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(1 + 7.5, cellY[i] + 7.5);
        p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
        p.setBrush(fill[i]);
        p.drawEllipse(centre, 6.0, 6.0);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + QPointF(-2.6, -2.6), centre + QPointF(2.6, 2.6));
        p.drawLine(centre + QPointF(2.6, -2.6), centre + QPointF(-2.6, 2.6));
    }
    return image;
}

// The combo box's arrow: a white triangle to match the box's white text on #646464.
QImage comboArrow()
{
    QImage image = transparentImage(10, 6);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(0.5, 0.5), QPointF(9.5, 0.5), QPointF(5, 5.5)}));
    return image;
}

// The frame-rate items' icon, shown at 10 x 30: a small play mark, drawn at twice that
// size so it stays smooth on scaled screens.
QImage frameRateIcon()
{
    QImage image = transparentImage(20, 60);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#e6e6e6"));
    p.drawPolygon(QPolygonF({QPointF(5, 22), QPointF(17, 30), QPointF(5, 38)}));
    return image;
}

// The check boxes' tick: white on the box's orange, drawn large so that it stays smooth
// when the style sheet scales it down into the box.
QImage checkTick()
{
    QImage image = transparentImage(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(9, 25), QPointF(19, 35), QPointF(39, 13)}));
    return image;
}

// One frame of the busy animation: eight dots on the overlay's #222121 panel, the
// leading one in the icon's orange and the trail fading into the panel.
QImage busyFrame(int frame, int dots)
{
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    const QColor panel("#222121");
    image.fill(panel);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < dots; ++i) {
        const int age = (frame - i + dots) % dots; // 0 is the leading dot
        const qreal strength = age == 0 ? 1.0 : qMax(0.18, 0.8 - 0.14 * age);
        const QColor lit = age == 0 ? QColor("#ff9a4d") : QColor("#e8e8e8");
        const QColor colour = QColor::fromRgbF(
                panel.redF() + (lit.redF() - panel.redF()) * strength,
                panel.greenF() + (lit.greenF() - panel.greenF()) * strength,
                panel.blueF() + (lit.blueF() - panel.blueF()) * strength);
        const qreal angle = 2 * M_PI * i / dots - M_PI / 2;
        p.setBrush(colour);
        p.drawEllipse(QPointF(10 + 6.5 * qCos(angle), 10 + 6.5 * qSin(angle)), 1.7, 1.7);
    }
    return image;
}

// The busy animation is written by our own encoder, as every GIF the program makes.
bool writeBusyGif(const QString &path)
{
    const int dots = 8;
    QList<FrameSource> frames;
    for (int frame = 0; frame < dots; ++frame)
        frames << FrameSource::fromImage(busyFrame(frame, dots));
    GifCreaterThread encoder;
    encoder.startJob(makeGifJob(path, frames, GifJobChoices()));
    encoder.wait();
    if (encoder.outcome == JobOutcome::Completed)
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool writeIcons(const QString &iconFolder)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(iconFolder).arg(size);
        if (!QDir().mkpath(dir) || !save(programIcon(size), dir + "/lumorra.png"))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: draw-artwork OUTPUT_FOLDER [ICON_FOLDER]\n");
        return 2;
    }
    const QString out = args.at(1);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out));
        return 1;
    }
    const bool ok = save(programIcon(256), out + "/program.png")
            && save(titleBarSprite(), out + "/minclose.png")
            && save(deleteSprite(), out + "/del.png")
            && save(comboArrow(), out + "/arrowDown.png")
            && save(frameRateIcon(), out + "/arrowtest.png")
            && save(checkTick(), out + "/tick.png")
            && writeBusyGif(out + "/small_loadimg2.gif")
            && (args.size() < 3 || writeIcons(args.at(2)));
    return ok ? 0 : 1;
}
