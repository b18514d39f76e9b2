#ifndef LOADINGWIDGET_H
#define LOADINGWIDGET_H

#include <QWidget>

class QGraphicsOpacityEffect;
class QLabel;
class QMovie;

// The busy overlay: covers the whole window, so the pages below get no mouse input,
// and draws only a centred panel with an animation and a status text.
class LoadingWidget : public QWidget
{
public:
    explicit LoadingWidget(QWidget *parent = nullptr);

    // Places the overlay, centres and styles its panel and starts the animation.
    void setOverlayGeometry(int x, int y, int w, int h);

    QWidget *panelWidget = nullptr;
    QWidget *frameWidget = nullptr;
    QLabel *textLabel = nullptr;
    QLabel *movieLabel = nullptr;
    QMovie *movie = nullptr;
    // Child widgets ignore windowOpacity, so the fades animate this effect's opacity.
    QGraphicsOpacityEffect *opacityEffect = nullptr;
};

#endif
