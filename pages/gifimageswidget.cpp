#include "pages/gifimageswidget.h"

// Placeholder until the page is built.
GifImagesWidget::GifImagesWidget(QWidget *parent) : QWidget(parent) {}
GifImagesWidget::~GifImagesWidget() = default;
void GifImagesWidget::initLayout() {}
void GifImagesWidget::initStyle() {}
void GifImagesWidget::retranslateUi() {}
void GifImagesWidget::stopRunningJob() {}
void GifImagesWidget::enterPage() { show(); }
