// A window whose GIF job is killed (the user logs out, the process is terminated) leaves
// no cut-off GIF under a final name, and the next start takes its partial file back, but
// not the one a running job holds. The window runs in a child process of the test.
#include "ui/uitesthelpers.h"
#include "workers/partialfile.h"

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

const int FrameCount = 150;

// The child: with a frame file, a window that starts a GIF job of FrameCount copies of it
// and runs until it is killed; without, a window that starts and ends.
int runWindow(const QString &frame)
{
    MainMainWidget window;
    window.show();
    if (frame.isEmpty())
        return 0;
    window.switchPage(1);
    window.imagesWidget->importImages(QVector<QString>(FrameCount, frame).toList());
    if (!QTest::qWaitFor([&window] { return window.loadingWidget->isHidden(); }, 60000))
        return 1;
    window.imagesWidget->createGifButton->click();
    return QApplication::exec();
}

}

class TestKilledJob : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;

    QStringList entries(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private slots:
    void killedJobLeavesNoGifAndTheNextStartCleansUp()
    {
    #ifndef Q_OS_UNIX
        QSKIP("kills the window with SIGTERM");
    #else
        const QString out = temp.filePath("out");
        QVERIFY(QDir().mkpath(out));
        writeSetting(Setting::savePath, out);
        QRandomGenerator random(3);
        const QString frame = temp.filePath("noise.png");
        QVERIFY(noisyFrame(640, 480, &random).save(frame));

        QProcess window;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LUMORRA_WINDOW", frame);
        window.setProcessEnvironment(env);
        window.start(QCoreApplication::applicationFilePath(), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!entries(out).isEmpty()
                                     && QFileInfo(out + "/" + entries(out).first()).size() > 0,
                                 60000);
        QCOMPARE(window.state(), QProcess::Running);
        ::kill(window.processId(), SIGTERM);
        QVERIFY(window.waitForFinished(10000));
        QCOMPARE(window.exitStatus(), QProcess::CrashExit);
        const QStringList left = entries(out);
        QCOMPARE(left.size(), 1);
        QVERIFY2(left.first().endsWith(".gif.1.part"), qPrintable(left.first()));

        // The next start removes it; a partial file that a running job holds stays.
        const PartialFile running(out + "/running.gif");
        env.insert("LUMORRA_WINDOW", "");
        window.setProcessEnvironment(env);
        window.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(window.waitForFinished(30000) && window.exitCode() == 0);
        QCOMPARE(entries(out), QStringList{"running.gif.1.part"});
    #endif
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("LUMORRA_WINDOW")) {
        QApplication app(argc, argv);
        appDirPath = QCoreApplication::applicationDirPath();
        return runWindow(qEnvironmentVariable("LUMORRA_WINDOW"));
    }
    QCoreApplication app(argc, argv);
    TestKilledJob test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedjob.moc"
