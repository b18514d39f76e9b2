#include "widgets/tilestyle.h"

#include "widgets/mytempbutton2.h"
#include "widgets/uiscale.h"

namespace {

// The part after "background-color:" differs by state only in the colour.
QString tileSheet(const QString &border, const QString &textColor, const QString &background,
                  TileLook look)
{
    QString sheet = QStringLiteral("QLabel{border: 1px solid ") + border
                    + QStringLiteral("; font-size:") + QString::number(scaled(13))
                    + QStringLiteral("px;color:") + textColor + QLatin1Char(';');
    if (look == TileLook::Bold)
        sheet += QStringLiteral("font-weight:700; ");
    else if (look == TileLook::Spaced)
        sheet += QLatin1Char(' ');
    return sheet + QStringLiteral("background-color:") + background
           + QStringLiteral(";border-radius: 3px;}");
}

}

void styleTile(MyTempButton2 *tile, TileLook look)
{
    tile->normalStyle = tileSheet(QStringLiteral("#787878"), QStringLiteral("#ffffff"),
                                  QStringLiteral("#646464"), look);
    tile->hoverStyle = tileSheet(QStringLiteral("#888686"), QStringLiteral("#ffffff"),
                                 QStringLiteral("#6e6d6d"), look);
    tile->disabledStyle = tileSheet(QStringLiteral("#575656"), QStringLiteral("#b4b4b4"),
                                    QStringLiteral("#505050"), look);
    tile->setAlignment(Qt::AlignCenter);
    tile->setEnabledStyle(true);
}

QString panelSheet()
{
    return QStringLiteral("QWidget{border: 2px solid #1a1919; background-color:#222121;}");
}
