#include "widgets/comboboxstyle.h"

#include "widgets/nofocusframedelegate.h"
#include "widgets/uiscale.h"

#include <QComboBox>

void styleComboBox(QComboBox *box)
{
    box->setStyleSheet(
        QStringLiteral("QComboBox{border: 1px solid #787878;border-radius: 3px;padding: 1px 2px "
                       "1px 2px;min-width: %1px;color:#FFFFFF;font-size:%2px;"
                       "background-color: #646464;}")
            .arg(scaled(30))
            .arg(scaled(12))
        + QStringLiteral(
            "QComboBox::drop-down{subcontrol-origin: padding; subcontrol-position: top "
            "right;width: 20px;border-left-width: 0px;border-left-color: "
            "#edf5f7;border-left-style: solid;border-top-right-radius: "
            "3px;border-bottom-right-radius: 3px;}"
            "QComboBox::down-arrow {image: url(:/images/arrowDown.png);}"
            "QComboBox QAbstractItemView{border: 1px solid #787878; color:#FFFFFF; "
            "selection-background-color:gray;background-color: #646464;}"));
    box->setItemDelegate(new NoFocusFrameDelegate(box));
    box->setEditable(false);
    box->setIconSize(QSize(10, scaled(30)));
}
