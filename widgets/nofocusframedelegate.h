#ifndef NOFOCUSFRAMEDELEGATE_H
#define NOFOCUSFRAMEDELEGATE_H

#include <QStyledItemDelegate>

// Paints list items as the styled delegate does, without the focus rectangle.
class NoFocusFrameDelegate : public QStyledItemDelegate
{
public:
    explicit NoFocusFrameDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

#endif
