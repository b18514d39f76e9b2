#include "widgets/textfit.h"

#include "widgets/uiscale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

// The spacing the style-sheet style puts between a combo box's icon and its text.
const int comboIconSpacing = 6;

// Name of the property that keeps a box's style sheet as it was before any fitting.
const char designStyleSheet[] = "designStyleSheet";

int widest(const QFont &font, const QStringList &texts)
{
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString &text : texts)
        width = qMax(width, metrics.horizontalAdvance(text));
    return width;
}

// The box's style sheet as it was before any fitting; the box shows it again.
QString designSheet(QComboBox *box)
{
    if (!box->property(designStyleSheet).isValid())
        box->setProperty(designStyleSheet, box->styleSheet());
    const QString design = box->property(designStyleSheet).toString();
    box->setStyleSheet(design);
    box->ensurePolished();
    return design;
}

int fittedComboBoxPixelSize(QComboBox *box, int designPixelSize)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.iconSize = box->iconSize();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, box);
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    QFont font = box->font();
    font.setPixelSize(designPixelSize);
    return fittedPixelSize(font, texts,
                           field.width() - box->iconSize().width() - comboIconSpacing);
}

}

int fittedPixelSize(const QFont &font, const QStringList &texts, int room)
{
    QFont trial = font;
    int size = QFontInfo(font).pixelSize();
    const int smallest = scaled(9);
    while (size > smallest && widest(trial, texts) > room)
        trial.setPixelSize(--size);
    return qMax(size, smallest);
}

void fitComboBoxText(QComboBox *box, int designPixelSize)
{
    fitComboBoxTexts({box}, designPixelSize);
}

void fitComboBoxTexts(const QList<QComboBox *> &boxes, int designPixelSize)
{
    QStringList designs;
    int size = designPixelSize;
    for (QComboBox *box : boxes) {
        designs << designSheet(box);
        size = qMin(size, fittedComboBoxPixelSize(box, designPixelSize));
    }
    if (size == designPixelSize)
        return;
    for (int i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setStyleSheet(designs.at(i)
                                   + QStringLiteral("QComboBox{font-size:%1px;}").arg(size));
}

int checkBoxTextRoom(const QCheckBox *box)
{
    const QStyle *style = box->style();
    return box->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box)
           - style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
}
