#ifndef FILEDROP_H
#define FILEDROP_H

#include "rules/filekinds.h"

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

// Lets a page take files dragged in from a file manager. pick keeps the dropped files the
// page can use; a drag that carries none of them is refused, so that dropping it changes
// nothing. open gets the kept files, and the others to name, once the drop has ended.
class FileDrop : public QObject
{
    Q_OBJECT

public:
    using Pick = std::function<QStringList(const FileKinds &kinds)>;
    using Open = std::function<void(const QStringList &usable, const QStringList &others)>;

    FileDrop(QWidget *page, Pick pick, Open open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QStringList droppedFiles(const QMimeData *data);

    Pick pick;
    Open open;
    bool dragUsable = false;
};

#endif
