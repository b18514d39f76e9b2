#ifndef FILECHOOSER_H
#define FILECHOOSER_H

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The file and folder choosers of the pages. The program shows the standard dialogs;
// a test installs an answer function instead, and the dialog is then not shown.
namespace FileChooser {

using OpenFileAnswer = std::function<QString(const QString &caption, const QString &dir,
                                             const QString &filter)>;
using OpenFilesAnswer = std::function<QStringList(const QString &caption, const QString &dir,
                                                  const QString &filter)>;
using DirectoryAnswer = std::function<QString(const QString &caption, const QString &dir)>;

QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                 const QString &filter);
QStringList openFiles(QWidget *parent, const QString &caption, const QString &dir,
                      const QString &filter);
QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir);

// Test seam: a set function answers instead of the dialog; an empty one restores it.
void answerOpenFile(OpenFileAnswer answer);
void answerOpenFiles(OpenFilesAnswer answer);
void answerDirectory(DirectoryAnswer answer);

}

#endif
