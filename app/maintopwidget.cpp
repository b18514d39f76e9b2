#include "app/maintopwidget.h"

#include "app/appdirpath.h"
#include "app/languagelist.h"
#include "app/mainmainwidget.h"
#include "app/settings.h"
#include "widgets/mypushbutton.h"
#include "widgets/picturebackground.h"
#include "widgets/uiscale.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

namespace {

const QString website = QStringLiteral(LUMORRA_WEBSITE);

// The translators of the process, kept until it ends: ours, and Qt's own for the texts of
// its standard dialogs.
QTranslator &interfaceTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator &toolkitTranslator()
{
    static QTranslator translator;
    return translator;
}

QString translationFile(const QString &code)
{
    return appDirPath + QStringLiteral("/Lang/Lang_") + code + QStringLiteral(".qm");
}

}

MainTopWidget::MainTopWidget(QWidget *parent) : QWidget(parent)
{
    logoLabel = new QLabel(this);
    titleLabel = new QLabel(this);
    versionLabel = new QLabel(this);
    closeButton = new MyPushButton(this);
    minButton = new MyPushButton(this);
    menuButton = new MyPushButton(this);
    connect(closeButton, &MyPushButton::clicked, this, &MainTopWidget::closeButton_slots);
    connect(minButton, &MyPushButton::clicked, this, &MainTopWidget::minButton_slots);
    connect(menuButton, &MyPushButton::clicked, this, &MainTopWidget::menuButton_slots);

    mainMenu = new QMenu(this);
    helpAction = new QAction(this);
    supportAction = new QAction(this);
    homepageAction = new QAction(this);
    mainMenu->addAction(helpAction);
    mainMenu->addAction(supportAction);
    mainMenu->addAction(homepageAction);
    mainMenu->addSeparator();
    languageMenu = mainMenu->addMenu(tr("Language"));
    connect(helpAction, &QAction::triggered, this, &MainTopWidget::slots_helpAction);
    connect(supportAction, &QAction::triggered, this, &MainTopWidget::slots_supportAction);
    connect(homepageAction, &QAction::triggered, this, &MainTopWidget::slots_homepageAction);
    connect(languageMenu, &QMenu::triggered, this, &MainTopWidget::slots_all_language_Action);
}

void MainTopWidget::initLayout()
{
    const int w = width();
    logoLabel->setGeometry(scaled(10), scaled(5), scaled(20), scaled(20));
    titleLabel->setGeometry(scaled(40), 1, scaled(400), scaled(28));
    closeButton->setButtonGeometry(w - scaled(30), 0, scaled(26), scaled(26));
    minButton->setButtonGeometry(w - scaled(60), 0, scaled(26), scaled(26));
    menuButton->setButtonGeometry(w - scaled(90), 0, scaled(26), scaled(26));
    versionLabel->setGeometry(w - scaled(200), scaled(8), scaled(90), scaled(20));
}

void MainTopWidget::initStyle()
{
    QPalette barPalette = palette();
    barPalette.setBrush(QPalette::Window, QBrush(QColor(QStringLiteral("#232323"))));
    setPalette(barPalette);
    setAutoFillBackground(true);

    setPictureBackground(logoLabel, QPixmap(QStringLiteral(":/images/program.png")));

    // Resting icons in the top row, lighter hover icons in the row at y 28.
    const QPixmap sprite(QStringLiteral(":/images/minclose.png"));
    const std::pair<MyPushButton *, int> buttons[] = {{menuButton, 5}, {minButton, 30},
                                                      {closeButton, 55}};
    for (const auto &button : buttons) {
        const int x = button.second;
        button.first->setNormalRect(x, 0, 26, 26);
        button.first->setHoverRect(x, 28, 26, 26);
        button.first->setPressedRect(x, 0, 26, 26);
        button.first->setDisabledRect(x, 0, 26, 26);
        button.first->setSprite(sprite);
        button.first->setButtonMode(3);
    }

    initLanguageMenu();
}

void MainTopWidget::retranslateUi()
{
    titleLabel->setText(QStringLiteral("Lumorra"));
    titleLabel->setStyleSheet(QStringLiteral("QLabel { color: #e0e0e0;font:")
                              + QString::number(scaled(12)) + QStringLiteral("px;}"));
    versionLabel->setAlignment(Qt::AlignRight);
    versionLabel->setText(QStringLiteral("Ver: 1.0.8"));
    versionLabel->setStyleSheet(QStringLiteral("QLabel { color: #b7b7b7;font:")
                                + QString::number(scaled(10)) + QStringLiteral("px;}"));

    const QString gap = QStringLiteral("\t\t\t\t\t\t\t\t\t  ");
    const QString menuStyle =
        QStringLiteral("QMenu::item{min-width:") + QString::number(scaled(112))
        + QStringLiteral("px;height:") + QString::number(scaled(30))
        + QStringLiteral("px;background-color: #edf4fb;color:#333333;font-size: ")
        + QString::number(scaled(12))
        + QStringLiteral("px;padding-left: 8px;padding-right: 2px;}") + gap
        + QStringLiteral("QMenu::item:selected{border-color:#e5e5e5;background:#b6f2b8;} ") + gap
        + QStringLiteral("QMenu::separator{height: 1px;background-color:#e5e5e5;"
                         "margin-left: 5px;margin-right: 5px;}")
        + gap;
    mainMenu->setStyleSheet(menuStyle);
    languageMenu->setStyleSheet(menuStyle);

    helpAction->setText(tr("Help"));
    supportAction->setText(tr("Support"));
    homepageAction->setText(tr("Homepage"));
    languageMenu->setTitle(tr("Language"));
    mainMenu->hide();
}

void MainTopWidget::initLanguageMenu()
{
    const LanguageList list = readLanguageList(appDirPath + QStringLiteral("/Lang/Lang_config"));
    languageNames = list.names;
    languageCodes = list.codes;
    for (const QString &name : qAsConst(languageNames))
        languageMenu->addAction(new QAction(name, this));

    QString stored = readSetting(Setting::language);
    if (stored.size() < 2)
        stored = QLocale().language() == QLocale::Chinese ? QStringLiteral("ZH")
                                                          : QStringLiteral("EN");
    switchLanguage(stored.left(2).toUpper());
}

void MainTopWidget::switchLanguage(QString code)
{
    QString file = translationFile(code);
    if (!QFile::exists(file)) {
        code = QStringLiteral("EN");
        file = translationFile(code);
    }
    QString stored = readSetting(Setting::language);
    writeSetting(Setting::language, stored.replace(0, 2, code));

    // Installed again after loading, so that it is never listed twice.
    QTranslator &translator = interfaceTranslator();
    QCoreApplication::removeTranslator(&translator);
    (void)translator.load(file);
    QCoreApplication::installTranslator(&translator);

    // Qt's texts are English already; other languages take Qt's translation where it has one:
    // qtbase as Debian ships it, or the qt catalogue that windeployqt puts beside the program.
    QTranslator &toolkit = toolkitTranslator();
    QCoreApplication::removeTranslator(&toolkit);
    const QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    const QLocale locale(code);
    if (code != QLatin1String("EN")
        && (toolkit.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), qtFolder)
            || toolkit.load(locale, QStringLiteral("qt"), QStringLiteral("_"), qtFolder)))
        QCoreApplication::installTranslator(&toolkit);

    mainMenu->hide();
    mainWindow()->retranslateAll();
    mainWindow()->languageCode = code;
}

QPoint MainTopWidget::menuPosition() const
{
    const MainMainWidget *main = mainWindow();
    return QPoint(main->x() + width() - scaled(125), main->y() + menuButton->height());
}

void MainTopWidget::closeButton_slots()
{
    mainWindow()->close();
}

void MainTopWidget::minButton_slots()
{
    mainWindow()->showMinimized();
}

void MainTopWidget::menuButton_slots()
{
    mainMenu->exec(menuPosition());
}

void MainTopWidget::slots_helpAction()
{
    mainWindow()->openWebPage(website + QStringLiteral("/support/"));
}

void MainTopWidget::slots_supportAction()
{
    mainWindow()->openWebPage(website + QStringLiteral("/support/"));
}

void MainTopWidget::slots_homepageAction()
{
    mainWindow()->openWebPage(website + QStringLiteral("/lumorra/"));
}

void MainTopWidget::slots_all_language_Action(QAction *action)
{
    const int i = languageNames.indexOf(action->text());
    switchLanguage(languageCodes.value(std::max(i, 0)));
}
