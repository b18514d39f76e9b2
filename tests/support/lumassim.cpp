#include "support/lumassim.h"

#include <QVector>

namespace {

QVector<double> lumaOf(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QVector<double> luma(rgb.width() * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar *row = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            luma[y * rgb.width() + x] =
                0.299 * row[x * 3] + 0.587 * row[x * 3 + 1] + 0.114 * row[x * 3 + 2];
    }
    return luma;
}

} // namespace

double lumaSsim(const QImage &a, const QImage &b)
{
    const int width = a.width();
    const int height = a.height();
    if (a.size() != b.size() || width < 8 || height < 8)
        return 0;
    const QVector<double> x = lumaOf(a);
    const QVector<double> y = lumaOf(b);
    const double c1 = (0.01 * 255) * (0.01 * 255);
    const double c2 = (0.03 * 255) * (0.03 * 255);
    double total = 0;
    int windows = 0;
    for (int top = 0; top + 8 <= height; top += 4) {
        for (int left = 0; left + 8 <= width; left += 4) {
            double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
            for (int j = top; j < top + 8; ++j) {
                for (int i = left; i < left + 8; ++i) {
                    const double u = x[j * width + i];
                    const double v = y[j * width + i];
                    sx += u;
                    sy += v;
                    sxx += u * u;
                    syy += v * v;
                    sxy += u * v;
                }
            }
            const double n = 64;
            const double mx = sx / n, my = sy / n;
            const double vx = sxx / n - mx * mx, vy = syy / n - my * my;
            const double cov = sxy / n - mx * my;
            total += (2 * mx * my + c1) * (2 * cov + c2)
                     / ((mx * mx + my * my + c1) * (vx + vy + c2));
            windows++;
        }
    }
    return total / windows;
}
