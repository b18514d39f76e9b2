#ifndef MAINTOPWIDGET_H
#define MAINTOPWIDGET_H

#include <QStringList>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class MyPushButton;

// The title bar of the frameless window: logo, name, version, and the menu, minimize and
// close buttons. It owns the interface language. Mouse events pass on to the window, so
// dragging the title bar moves it.
class MainTopWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MainTopWidget(QWidget *parent = nullptr);

    void initLayout();
    void initStyle();
    void retranslateUi();

    // Reads the language list, fills the submenu and applies the start language.
    void initLanguageMenu();
    // Loads, stores and applies a language; a code without a translation file becomes EN.
    void switchLanguage(QString code);
    // Where the menu opens on screen: under the buttons, 125·s left of the window's right edge.
    QPoint menuPosition() const;

    QLabel *logoLabel = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *versionLabel = nullptr;
    MyPushButton *closeButton = nullptr;
    MyPushButton *minButton = nullptr;
    MyPushButton *menuButton = nullptr;
    QMenu *mainMenu = nullptr;
    QAction *helpAction = nullptr;
    QAction *supportAction = nullptr;
    QAction *homepageAction = nullptr;
    QMenu *languageMenu = nullptr;
    QStringList languageNames;
    QStringList languageCodes;

private slots:
    void closeButton_slots();
    void minButton_slots();
    void menuButton_slots();
    void slots_helpAction();
    void slots_supportAction();
    void slots_homepageAction();
    void slots_all_language_Action(QAction *action);
};

#endif
