#include "widgets/fieldstyle.h"

#include <QLineEdit>
#include <QStyle>

namespace {

const char ProblemProperty[] = "problem";

} // namespace

QString fieldStyle(int fontSize, bool enabled)
{
    return QStringLiteral("QLineEdit{ color: %1;font-size:%2px;background-color:#646464;"
                          "border-radius: 0px;}"
                          "QLineEdit[problem=\"true\"]{border: 1px solid #ff8f80;"
                          "background-color:#7a4c48;}")
        .arg(enabled ? QStringLiteral("#ffffff") : QStringLiteral("#b4b4b4"))
        .arg(fontSize);
}

void setFieldProblem(QLineEdit *field, const QString &why)
{
    field->setToolTip(why);
    const bool problem = !why.isEmpty();
    if (field->property(ProblemProperty).toBool() == problem)
        return;
    field->setProperty(ProblemProperty, problem);
    // A style sheet reads properties when the widget is polished.
    field->style()->unpolish(field);
    field->style()->polish(field);
    field->update();
}
