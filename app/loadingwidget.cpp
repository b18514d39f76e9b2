#include "app/loadingwidget.h"

#include "widgets/mytempbutton2.h"
#include "widgets/tilestyle.h"
#include "widgets/uiscale.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMovie>

LoadingWidget::LoadingWidget(QWidget *parent) : QWidget(parent)
{
    panelWidget = new QWidget(this);
    frameWidget = new QWidget(panelWidget);
    textLabel = new QLabel(panelWidget);
    movieLabel = new QLabel(panelWidget);
    movie = new QMovie(QStringLiteral(":/images/small_loadimg2.gif"), QByteArray(), this);
    movieLabel->setMovie(movie);
    cancelButton = new MyTempButton2(panelWidget);
    opacityEffect = new QGraphicsOpacityEffect(this);
    setGraphicsEffect(opacityEffect);
}

void LoadingWidget::setOverlayGeometry(int x, int y, int w, int h)
{
    setGeometry(x, y, w, h);
    // Wide enough for the longest progress line: "Create GIF: 100.00% · fitting under 25 MB".
    const int pw = scaled(280);
    const int ph = scaled(160);
    panelWidget->setGeometry((w - pw) / 2, (h - ph) / 2, pw, ph);
    frameWidget->setGeometry(0, 0, panelWidget->width(), panelWidget->height());
    const int m = scaled(20);
    movieLabel->setGeometry((pw - m) / 2, (ph - m) / 2 - m, m, m);
    textLabel->setGeometry(scaled(10), movieLabel->y() + movieLabel->height() + scaled(10),
                           pw - scaled(20), scaled(20));
    frameWidget->setStyleSheet(panelSheet());
    movie->setScaledSize(movieLabel->size());
    movie->start();
    textLabel->setStyleSheet(QStringLiteral("QLabel{font-size:") + QString::number(scaled(11))
                             + QStringLiteral("px;color:#ffffff;}"));
    textLabel->setAlignment(Qt::AlignCenter);

    const int tileWidth = scaled(100);
    cancelButton->setGeometry((pw - tileWidth) / 2,
                              textLabel->y() + textLabel->height() + scaled(10), tileWidth,
                              scaled(30));
    styleTile(cancelButton);
}

void LoadingWidget::retranslateUi()
{
    cancelButton->setText(tr("Cancel"));
}
