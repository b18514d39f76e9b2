#ifndef PREVIEWDIALOG_H
#define PREVIEWDIALOG_H

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QVector>

class QLabel;
class ImageBatchLoader;
class MyPushButton;
class MyTempButton2;

// Plays the frames of the strip in their order, as the pictures are, at the GIF's frame
// delay, without writing anything. The frames are read in the background, scaled to the
// picture area, and play as they come; play and pause with the tile or Space, close with
// Esc or the close button.
class PreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // paths must not be empty; delay is in hundredths of a second per frame.
    PreviewDialog(const QStringList &paths, int delay, QWidget *parent);

    bool isPlaying() const { return timer.isActive(); }

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
                                 const QImage &thumbnail, int done, int total);
    void timer_timeout();

private:
    void showFrame(int index);
    void showPlayText();

    ImageBatchLoader *imageLoader = nullptr;
    QVector<QPixmap> frames;
    int loaded = 0;
    int current = 0;
    QTimer timer;
    QPoint pressPos;
};

#endif
