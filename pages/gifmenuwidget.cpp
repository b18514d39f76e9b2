#include "pages/gifmenuwidget.h"

// Placeholder until the page is built.
GifMenuWidget::GifMenuWidget(QWidget *parent) : QWidget(parent) {}
GifMenuWidget::~GifMenuWidget() = default;
void GifMenuWidget::initLayout() {}
void GifMenuWidget::initStyle() {}
void GifMenuWidget::retranslateUi() {}
void GifMenuWidget::stopRunningJob() {}
