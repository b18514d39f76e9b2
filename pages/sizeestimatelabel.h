#ifndef SIZEESTIMATELABEL_H
#define SIZEESTIMATELABEL_H

#include "workers/gifjob.h"

#include <QLabel>
#include <QTimer>

class SizeEstimateThread;

// The size the images page's GIF is expected to come to, "≈ 6.4 MB", estimated on a worker
// a moment after the job last changed. Meanwhile the number shown before stays, greyed; a
// job without frames shows nothing. A job that cannot fit its size limit shows the smallest
// it comes to, in a warning colour.
class SizeEstimateLabel : public QLabel
{
    Q_OBJECT

public:
    explicit SizeEstimateLabel(QWidget *parent = nullptr);

    void retranslateUi();

public slots:
    // The job Create would start now.
    void jobChanged(const GifJob &job);
    // Leaves the CPU to a creation: the estimate under way stops until resumed.
    void pauseEstimate();
    void resumeEstimate();

private slots:
    void settleTimer_timeout();
    void estimateThread_estimated(qint64 bytes, bool fits);

private:
    void showEstimate();

    QTimer settleTimer;
    SizeEstimateThread *estimateThread = nullptr;
    GifJob job;
    qint64 shownBytes = -1; // none shown
    bool shownFits = true;
    bool upToDate = true;
};

#endif
