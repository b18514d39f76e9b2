#include "app/messagequestions.h"

#include "app/mainmainwidget.h"
#include "widgets/mymessagedialog.h"

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
