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

QStringList FileDrop::usableFiles(const QMimeData *data) const
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths.isEmpty() ? paths : pick(sortByKind(paths));
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
                         && !usableFiles(drop->mimeData()).isEmpty();
        if (!dragUsable) {
            drop->ignore();
            return true;
        }
        // A copy: a file manager offered a move must not delete the files.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop) {
            dragUsable = false;
            // Opened after the drop, so that the file manager is not kept waiting by a
            // question or notice the opening may show.
            QTimer::singleShot(0, this, [this, paths = usableFiles(drop->mimeData())] {
                open(paths);
            });
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
