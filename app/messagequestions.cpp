#include "app/messagequestions.h"

#include "app/mainmainwidget.h"
#include "widgets/mymessagedialog.h"
#include "widgets/numberdialog.h"

namespace {

bool runDialog(MyMessageDialog &dialog)
{
    if (MainMainWidget *main = mainWindow())
        main->centerOnMainWindow(&dialog);
    dialog.exec();
    return dialog.okPressed;
}

}

bool askQuestion(const QString &message, const QString &leftText, const QString &rightText)
{
    MyMessageDialog dialog(nullptr);
    dialog.setMessage(message);
    dialog.setButtonTexts(leftText, rightText);
    return runDialog(dialog);
}

void showNotice(const QString &message, const QString &okText)
{
    MyMessageDialog dialog(nullptr);
    dialog.setMessage(message);
    dialog.setSingleButton(okText);
    runDialog(dialog);
}

void askNumber(QWidget *parent, const NumberQuestion &question,
               const std::function<void(double)> &answer, const std::function<void()> &cancelled)
{
    auto *dialog = new NumberDialog(question.text, question.least, question.most,
                                    question.decimals, question.current, parent);
    QObject::connect(dialog, &NumberDialog::answered, parent, [dialog, answer, cancelled] {
        dialog->deleteLater();
        if (dialog->okPressed)
            answer(dialog->value());
        else if (cancelled)
            cancelled();
    });
    if (MainMainWidget *main = mainWindow())
        main->centerOnMainWindow(dialog);
    dialog->open();
}
