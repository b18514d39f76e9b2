// The window's socket under hostile clients: a real window process, raw clients from this
// one. Whatever they send, the window stays up, keeps its socket, owner-only, and takes the
// files of a later start.
#include "ui/uitesthelpers.h"

#include <QLocalSocket>
#include <QtEndian>

class TestSingleWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QProcess window;
    QString socketPath;

    static QByteArray message(const QByteArray &body, quint32 length)
    {
        QByteArray header(4, '\0');
        qToBigEndian(length, header.data());
        return header + body;
    }

    std::unique_ptr<QLocalSocket> connected()
    {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(socketPath);
        return client->waitForConnected(5000) ? std::move(client) : nullptr;
    }

    // Whether the window closed the client within the time, without taking anything.
    static bool dropped(QLocalSocket *client, int milliseconds)
    {
        QElapsedTimer waited;
        waited.start();
        while (client->state() == QLocalSocket::ConnectedState
               && waited.elapsed() < milliseconds)
            client->waitForDisconnected(50);
        return client->state() != QLocalSocket::ConnectedState && !client->readAll().contains('T');
    }

    // Waiting a moment, so that a window that is ending has ended.
    bool windowRuns() { return !window.waitForFinished(300); }

private slots:
    void initTestCase()
    {
        socketPath = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/lumorra-window";
        // Few files may be open: a window that served every client would run out of them.
        window.start("sh", {"-c", "ulimit -n 256 && exec \"$0\"",
                            QCoreApplication::applicationDirPath() + "/lumorra"});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(socketPath).exists(), 20000);
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::WriteOther
                                          | QFile::ExeOther;
        QCOMPARE(QFileInfo(socketPath).permissions() & others, QFile::Permissions());
    }

    void cleanupTestCase()
    {
        window.kill();
        window.waitForFinished();
    }

    // Each dropped well before the time a slow client is given, the window left running.
    void junkIsDroppedAtOnce_data()
    {
        QTest::addColumn<QByteArray>("sent");
        // Four bytes that made the window reserve 16 GB and end.
        QTest::newRow("a count of 2^31") << QByteArray("\x7f\xff\xff\xff", 4);
        QTest::newRow("100 MB to come") << message(QByteArray(), 100 << 20);
        QTest::newRow("a relative path") << message(QByteArray("a.png\0", 6), 6);
        QTest::newRow("not UTF-8") << message(QByteArray("/\xff\xfe.png\0", 7), 7);
        QTest::newRow("no end") << message("/a.png", 6);
        QTest::newRow("more than one") << message(QByteArray("/a.png\0/b", 9), 7);
    }

    void junkIsDroppedAtOnce()
    {
        QFETCH(QByteArray, sent);
        const auto client = connected();
        QVERIFY(client);
        client->write(sent);
        QVERIFY(client->waitForBytesWritten(5000));
        QVERIFY(dropped(client.get(), 2500));
        QVERIFY(windowRuns());
    }

    // Clients that send nothing are let go; hundreds of them leave the socket in place, and
    // a later start hands its GIF over instead of opening a second window.
    void idleClientsNeitherStayNorCloseTheSocket()
    {
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < 300; ++i) {
            idle.push_back(connected());
            QVERIFY2(idle.back(), qPrintable(QString("client %1 not connected").arg(i)));
        }
        QVERIFY(windowRuns());
        QVERIFY(QFileInfo(socketPath).exists());

        const QString gif = temp.path() + "/clip.gif";
        QVERIFY(encodeFrames(gif, {flatFrame(20, 20, qRgb(9, 9, 9))}, QSize(20, 20)));
        QProcess later;
        later.start(QCoreApplication::applicationDirPath() + "/lumorra", {gif});
        const bool handedOver = later.waitForFinished(20000);
        if (!handedOver)
            later.kill();
        QVERIFY2(handedOver && later.exitCode() == 0, "the later start opened a window");
        QTRY_VERIFY_WITH_TIMEOUT(
            QDirIterator(QDir::homePath(), {"1.png"}, QDir::Files, QDirIterator::Subdirectories)
                .hasNext(),
            20000);

        QVERIFY(dropped(idle.back().get(), 10000));
        QVERIFY(windowRuns());
    }
};

LUMORRA_UI_TEST_MAIN(TestSingleWindow)
#include "tst_singlewindow.moc"
