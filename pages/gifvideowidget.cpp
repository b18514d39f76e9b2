#include "pages/gifvideowidget.h"

// Placeholder until the page is built.
GifVideoWidget::GifVideoWidget(QWidget *parent) : QWidget(parent) {}
GifVideoWidget::~GifVideoWidget() = default;
void GifVideoWidget::initLayout() {}
void GifVideoWidget::initStyle() {}
void GifVideoWidget::retranslateUi() {}
void GifVideoWidget::stopRunningJob() {}
void GifVideoWidget::enterPage() { show(); }
