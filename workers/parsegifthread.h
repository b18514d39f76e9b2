#ifndef PARSEGIFTHREAD_H
#define PARSEGIFTHREAD_H

#include <QString>
#include <QThread>
#include <atomic>

// Splits a GIF into numbered PNG files (1.png, 2.png, ...) on its own thread, reporting
// progress in ten-thousandths after each frame.
class ParseGifThread : public QThread
{
    Q_OBJECT

public:
    explicit ParseGifThread(QObject *parent = nullptr);
    ~ParseGifThread() override;

    // Asks a running job to stop after the current frame.
    void requestStop();

    QString gifFilePath;
    QString pngFolder;
    // Whether the last run wrote 1.png itself; a file left by an earlier run does not
    // count. Read it once finished() has arrived.
    bool firstFrameSaved = false;
    // Whether the last run saved every frame it read; frames the reader cannot reach (a
    // cut-off file) are not counted as failed saves.
    bool everyFrameSaved = false;

signals:
    void updateprogress(int progress);

protected:
    void run() override;

private:
    std::atomic<bool> stopRequested{false};
};

#endif
