#ifndef GIFMENUWIDGET_H
#define GIFMENUWIDGET_H

#include <QWidget>

// The start page: the three mode tiles, the output folder row and Resolve GIF.
class GifMenuWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifMenuWidget(QWidget *parent = nullptr);
    ~GifMenuWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    // Asks a running Resolve GIF job to stop and waits for it (the window is closing).
    void stopRunningJob();

    QString savePath;
};

#endif
