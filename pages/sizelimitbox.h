#ifndef SIZELIMITBOX_H
#define SIZELIMITBOX_H

#include "app/settings.h"

#include <QComboBox>
#include <QIcon>

// A drop-down box of the size a GIF must fit under: none, the sizes chat apps, forums and
// issue trackers cap files at, the size asked for if it is another, and "Custom…", which
// asks for one in MB. The choice is kept in its setting.
class SizeLimitBox : public QComboBox
{
    Q_OBJECT

public:
    // Each item shows itemIcon, as the page's other boxes do (none when it is null).
    SizeLimitBox(const IntSetting &setting, const QIcon &itemIcon, QWidget *parent = nullptr);

    // In bytes; 0 for none.
    qint64 limit() const { return chosen; }
    // Fills the box in the current language.
    void retranslateUi();

signals:
    void limitChanged(qint64 bytes);

private slots:
    void itemActivated(int index);

private:
    void setLimit(qint64 bytes);

    const IntSetting &setting;
    const QIcon itemIcon;
    qint64 chosen = 0;
};

#endif
