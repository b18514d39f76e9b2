#ifndef UITESTMAIN_H
#define UITESTMAIN_H

#include "app/appdirpath.h"

#include <QApplication>
#include <QLocale>
#include <QtTest>

// Runs a widget test at 96 dpi (the offscreen screen reports 100 unless told), with the
// built Lang/ folder beside the test programs and an English system locale.
#define LUMORRA_UI_TEST_MAIN(TestClass)                                                  \
    int main(int argc, char *argv[])                                                     \
    {                                                                                    \
        if (!qEnvironmentVariableIsSet("QT_FONT_DPI"))                                   \
            qputenv("QT_FONT_DPI", "96");                                                \
        QApplication app(argc, argv);                                                    \
        appDirPath = QCoreApplication::applicationDirPath();                             \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));           \
        TestClass test;                                                                  \
        return QTest::qExec(&test, argc, argv);                                          \
    }

#endif
