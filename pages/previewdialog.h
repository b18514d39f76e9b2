#ifndef PREVIEWDIALOG_H
#define PREVIEWDIALOG_H

#include "workers/gifjob.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <QVector>

class QLabel;
class ImageBatchLoader;
class MyPushButton;
class MyTempButton2;

// Plays the GIF a job would write, without writing anything: each frame as a viewer shows
// it on the canvas (placed and sized as the job's choices say, its clear parts over a
// checkerboard), for its own delay, as many times as the GIF plays. The canvas is shown at
// its own size, smaller where it does not fit. The frames are read in the background and
// play as they come; play and pause with the tile or Space, close with Esc or the close
// button.
class PreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // job.frames must not be empty.
    PreviewDialog(const GifJob &job, QWidget *parent);

    bool isPlaying() const { return playing; }

    QLabel *titleLabel = nullptr;
    MyPushButton *closeButton = nullptr;
    QLabel *pictureLabel = nullptr;
    MyTempButton2 *playButton = nullptr;
    QLabel *counterLabel = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private slots:
    void playButton_slots();
    void imageLoader_imageLoaded(const QString &path, const QSize &size,
                                 const QImage &picture, int done, int total);
    void timer_timeout();

private:
    void showFrame(int index);
    void showPlayText();
    // Shows the next frame once it has been read, or stops after the last play.
    void advance();

    ImageBatchLoader *imageLoader = nullptr;
    QVector<QPixmap> frames;
    QVector<int> delays; // hundredths of a second
    int playCount = 0;   // 0 for ever
    int playsDone = 0;
    int loaded = 0;
    int current = 0;
    bool playing = true;
    // The frame's time is up but the next frame is still being read.
    bool waitingForFrame = false;
    QTimer timer;
    QPoint pressPos;
};

#endif
