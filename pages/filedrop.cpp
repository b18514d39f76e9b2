#include "pages/filedrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget *page, Pick pick, Open open)
    : QObject(page), pick(std::move(pick)), open(std::move(open))
{
    page->setAcceptDrops(true);
    page->installEventFilter(this);
}

QStringList FileDrop::droppedFiles(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

bool FileDrop::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (event->type() == QEvent::DragEnter)
            dragUsable = (drop->possibleActions() & Qt::CopyAction)
                         && !pick(sortByKind(droppedFiles(drop->mimeData()))).isEmpty();
        if (!dragUsable) {
            drop->ignore();
            return true;
        }
        // A copy: a file manager offered a move must not delete the files.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop) {
            dragUsable = false;
            QStringList others = droppedFiles(drop->mimeData());
            const QStringList usable = pick(sortByKind(others));
            for (const QString &path : usable)
                others.removeOne(path);
            // Opened after the drop, so that the file manager is not kept waiting by a
            // question or notice the opening may show.
            if (!usable.isEmpty())
                QTimer::singleShot(0, this, [this, usable, others] { open(usable, others); });
        }
        return true;
    }
    case QEvent::DragLeave:
        dragUsable = false;
        return false;
    default:
        return false;
    }
}
