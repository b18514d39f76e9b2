#include "pages/sizelimitbox.h"

#include "app/messagequestions.h"
#include "rules/sizetext.h"

namespace {

const qint64 OfferedLimits[] = {1000000, 2000000, 5000000, 8000000, 10000000, 25000000};
const double Megabyte = 1e6;

} // namespace

SizeLimitBox::SizeLimitBox(const IntSetting &setting, const QIcon &itemIcon, QWidget *parent)
    : QComboBox(parent), setting(setting), itemIcon(itemIcon), chosen(readSetting(setting))
{
    // Only the user's choices: refilling the box must not ask anything.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &SizeLimitBox::itemActivated);
}

void SizeLimitBox::retranslateUi()
{
    clear();
    addItem(itemIcon, tr("None"), qint64(0));
    bool offered = chosen == 0;
    for (const qint64 limit : OfferedLimits) {
        addItem(itemIcon, bytesToSizeText(limit), limit);
        offered = offered || limit == chosen;
    }
    if (!offered)
        addItem(itemIcon, bytesToSizeText(chosen), chosen);
    addItem(itemIcon, tr("Custom…"));
    setCurrentIndex(findData(chosen));
}

void SizeLimitBox::itemActivated(int index)
{
    const QVariant limit = itemData(index);
    if (limit.isValid()) {
        setLimit(limit.toLongLong());
        return;
    }
    const double most = setting.most / Megabyte;
    askNumber(this,
              {tr("Fit the GIF under this size, in MB (0.01 to %1):").arg(most), 0.01, most, 2,
               chosen > 0 ? chosen / Megabyte : 10},
              [this](double megabytes) { setLimit(qRound64(megabytes * Megabyte)); },
              [this] { retranslateUi(); });
}

void SizeLimitBox::setLimit(qint64 bytes)
{
    chosen = bytes;
    writeSetting(setting, int(bytes));
    retranslateUi();
    emit limitChanged(bytes);
}
