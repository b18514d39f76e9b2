#include "widgets/dialogclosebutton.h"

#include "widgets/mypushbutton.h"
#include "widgets/uiscale.h"

void makeDialogCloseButton(MyPushButton *button, int dialogWidth)
{
    button->setButtonGeometry(dialogWidth - scaled(30), scaled(10), scaled(20), scaled(20));
    button->setNormalRect(55, 0, 26, 26);
    button->setHoverRect(55, 28, 26, 26);
    button->setPressedRect(55, 0, 26, 26);
    button->setDisabledRect(55, 0, 26, 26);
    button->setSprite(QPixmap(QStringLiteral(":/images/minclose.png")));
    button->setButtonMode(3);
}
