#ifndef GIFIMAGESWIDGET_H
#define GIFIMAGESWIDGET_H

#include <QWidget>

// The Create GIF from Images page.
class GifImagesWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifImagesWidget(QWidget *parent = nullptr);
    ~GifImagesWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    void enterPage();
    // Asks a running GIF job to stop and waits for it (the window is closing).
    void stopRunningJob();
};

#endif
