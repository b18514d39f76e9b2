#include "widgets/checkboxstyle.h"

#include "widgets/uiscale.h"

QString checkBoxStyle(int fontSize, bool enabled)
{
    return QStringLiteral("QCheckBox{font-size:%1px;color:%2;}"
                          "QCheckBox::indicator{width:%3px;height:%3px;border:1px solid #b4b4b4;"
                          "border-radius:2px;background-color:#3c3c3c;}"
                          "QCheckBox::indicator:hover{border-color:#ffffff;}"
                          "QCheckBox::indicator:checked{border-color:#ff8a3d;"
                          "background-color:#ff8a3d;image:url(:/images/tick.png);}"
                          "QCheckBox::indicator:disabled{border-color:#787878;"
                          "background-color:#505050;}"
                          "QCheckBox::indicator:checked:disabled{border-color:#8c6a55;"
                          "background-color:#8c6a55;}")
        .arg(fontSize)
        .arg(enabled ? QStringLiteral("#ffffff") : QStringLiteral("#b4b4b4"))
        .arg(scaled(13));
}
