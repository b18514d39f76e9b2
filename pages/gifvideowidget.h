#ifndef GIFVIDEOWIDGET_H
#define GIFVIDEOWIDGET_H

#include <QWidget>

// The Create GIF from Video page.
class GifVideoWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifVideoWidget(QWidget *parent = nullptr);
    ~GifVideoWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    void enterPage();
    // Ends a running video tool and removes its unfinished output (the window is closing).
    void stopRunningJob();
};

#endif
