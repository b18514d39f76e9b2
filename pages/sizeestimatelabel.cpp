#include "pages/sizeestimatelabel.h"

#include "rules/sizetext.h"
#include "widgets/uiscale.h"
#include "workers/sizeestimatethread.h"

namespace {

// Changes come in bursts (typing a rate, a drag, several options); the estimate waits for
// the last.
const int SettleMilliseconds = 300;

} // namespace

SizeEstimateLabel::SizeEstimateLabel(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    settleTimer.setSingleShot(true);
    settleTimer.setInterval(SettleMilliseconds);
    estimateThread = new SizeEstimateThread(this);
    connect(&settleTimer, &QTimer::timeout, this, &SizeEstimateLabel::settleTimer_timeout);
    connect(estimateThread, &SizeEstimateThread::estimated, this,
            &SizeEstimateLabel::estimateThread_estimated);
}

void SizeEstimateLabel::retranslateUi()
{
    showEstimate();
}

void SizeEstimateLabel::jobChanged(const GifJob &newJob)
{
    job = newJob;
    estimateThread->stop();
    if (job.frames.isEmpty()) {
        settleTimer.stop();
        shownBytes = -1;
        upToDate = true;
    } else {
        settleTimer.start();
        upToDate = false;
    }
    showEstimate();
}

void SizeEstimateLabel::pauseEstimate()
{
    settleTimer.stop();
    estimateThread->stop();
}

void SizeEstimateLabel::resumeEstimate()
{
    if (!upToDate)
        settleTimer.start();
}

void SizeEstimateLabel::settleTimer_timeout()
{
    estimateThread->estimate(job);
}

void SizeEstimateLabel::estimateThread_estimated(qint64 bytes, bool fits)
{
    shownBytes = bytes;
    shownFits = fits;
    upToDate = true;
    showEstimate();
}

void SizeEstimateLabel::showEstimate()
{
    const char *colour = !upToDate ? "#8c8c8c" : shownFits ? "#ffffff" : "#ff9f68";
    setStyleSheet(QStringLiteral("QLabel{font-size:%1px;color:%2;}")
                      .arg(scaled(12))
                      .arg(QLatin1String(colour)));
    if (shownBytes < 0) {
        clear();
        setToolTip(QString());
        return;
    }
    setText(tr("≈ %1").arg(bytesToSizeText(shownBytes)));
    setToolTip(shownFits ? QString()
                         : tr("Too large for the size limit even at the lowest quality, size "
                              "and frame rate"));
}
