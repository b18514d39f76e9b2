#ifndef LOADINGWIDGET_H
#define LOADINGWIDGET_H

#include <QCoreApplication>
#include <QWidget>

class QGraphicsOpacityEffect;
class QLabel;
class QMovie;
class MyTempButton2;

// The busy overlay: covers the pages, so they get no mouse input, and draws only a centred
// panel with an animation, a status text and a "Cancel" tile.
class LoadingWidget : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(LoadingWidget)

public:
    explicit LoadingWidget(QWidget *parent = nullptr);

    // Places the overlay, centres and styles its panel and starts the animation.
    void setOverlayGeometry(int x, int y, int w, int h);
    void retranslateUi();

    QWidget *panelWidget = nullptr;
    QWidget *frameWidget = nullptr;
    QLabel *textLabel = nullptr;
    QLabel *movieLabel = nullptr;
    QMovie *movie = nullptr;
    MyTempButton2 *cancelButton = nullptr;
    // Child widgets ignore windowOpacity, so the fades animate this effect's opacity.
    QGraphicsOpacityEffect *opacityEffect = nullptr;
};

#endif
