#include "app/filechooser.h"

#include <QFileDialog>

namespace FileChooser {

namespace {
OpenFileAnswer openFileAnswer;
OpenFilesAnswer openFilesAnswer;
DirectoryAnswer directoryAnswer;

// Keys go back to the window once the dialog is gone (Escape cancels the job it started);
// without a window manager nothing else hands the keyboard back.
template <typename Answer>
Answer afterDialog(QWidget *parent, Answer answer)
{
    if (parent)
        parent->window()->activateWindow();
    return answer;
}
}

QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                 const QString &filter)
{
    if (openFileAnswer)
        return openFileAnswer(caption, dir, filter);
    return afterDialog(parent, QFileDialog::getOpenFileName(parent, caption, dir, filter));
}

QStringList openFiles(QWidget *parent, const QString &caption, const QString &dir,
                      const QString &filter)
{
    if (openFilesAnswer)
        return openFilesAnswer(caption, dir, filter);
    return afterDialog(parent, QFileDialog::getOpenFileNames(parent, caption, dir, filter));
}

QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    if (directoryAnswer)
        return directoryAnswer(caption, dir);
    return afterDialog(parent, QFileDialog::getExistingDirectory(
                                   parent, caption, dir,
                                   QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks));
}

void answerOpenFile(OpenFileAnswer answer)
{
    openFileAnswer = std::move(answer);
}

void answerOpenFiles(OpenFilesAnswer answer)
{
    openFilesAnswer = std::move(answer);
}

void answerDirectory(DirectoryAnswer answer)
{
    directoryAnswer = std::move(answer);
}

}
