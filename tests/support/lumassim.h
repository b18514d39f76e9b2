#ifndef LUMASSIM_H
#define LUMASSIM_H

#include <QImage>

// The structural similarity of two pictures of the same size on their luma (BT.601
// weights): the mean over 8 x 8 windows, 4 pixels apart, of the usual SSIM formula. 1 for
// equal pictures; photos quantized to a good palette score about 0.95 or more.
double lumaSsim(const QImage &a, const QImage &b);

#endif
