#include "app/cannotfitnotice.h"

#include "app/messagequestions.h"
#include "rules/sizetext.h"

#include <QCoreApplication>

void showCannotFit(qint64 limit, qint64 smallest)
{
    const QString message =
        smallest > 0
            ? QCoreApplication::translate("CannotFitNotice",
                                          "Failed, the GIF does not fit under %1 even at the "
                                          "smallest settings: it would take about %2.")
                  .arg(bytesToSizeText(limit), bytesToSizeText(smallest))
            : QCoreApplication::translate("CannotFitNotice",
                                          "Failed, the GIF does not fit under %1 even at the "
                                          "smallest settings.")
                  .arg(bytesToSizeText(limit));
    showNotice(message, QCoreApplication::translate("CannotFitNotice", "OK"));
}
