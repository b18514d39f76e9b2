// Partial files: written beside their place, moved there whole, never made through a link
// or over a file, and taken back once the run that held them is gone.
#include "support/enginetesthelpers.h"
#include "workers/partialfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestPartialFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                              | QDir::NoDotAndDotDot,
                                          QDir::Name);
    }

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
    }

    void takesTheFinalPlaceOnlyWhenCommitted()
    {
        const QString final = dir.filePath("out.gif");
        QVERIFY(writeFile(final, "the earlier file"));
        {
            PartialFile partial(final);
            QVERIFY(partial.isOpen());
            QCOMPARE(partial.path(), final + ".1.part");
            QVERIFY(writeFile(partial.path(), "the new file"));
            QCOMPARE(readFile(final), QByteArray("the earlier file"));
            QVERIFY(partial.commit());
        }
        QCOMPARE(readFile(final), QByteArray("the new file"));
        {
            PartialFile dropped(final);
            QVERIFY(writeFile(dropped.path(), "half"));
        }
        QCOMPARE(entries(), QStringList{"out.gif"});
        QCOMPARE(readFile(final), QByteArray("the new file"));
    }

    // A link at the name, dangling or not, is neither followed nor removed; a file some
    // writer holds is not taken.
    void neverThroughALinkNorOverAFile()
    {
    #ifndef Q_OS_UNIX
        QSKIP("makes symbolic links");
    #else
        const QString final = dir.filePath("1.png");
        const QString target = dir.filePath("target");
        QVERIFY(writeFile(target, "someone's file"));
        QVERIFY(QFile::link(dir.filePath("nowhere"), final + ".1.part"));
        QVERIFY(QFile::link(target, final + ".2.part"));
        const PartialFile held(final);
        QCOMPARE(held.path(), final + ".3.part");
        const PartialFile partial(final);
        QCOMPARE(partial.path(), final + ".4.part");
        QCOMPARE(readFile(target), QByteArray("someone's file"));
        QVERIFY(!QFileInfo::exists(dir.filePath("nowhere")));
        QVERIFY(QFileInfo(final + ".1.part").isSymLink() && QFileInfo(final + ".2.part").isSymLink());
        QVERIFY(QFileInfo::exists(final + ".3.part"));
    #endif
    }

    // Names of the pattern that nobody holds were left by killed runs: a new file of the
    // name takes them back instead of running out of names, and the output folder's clean-up
    // removes those of GIFs, and nothing else.
    void staleNamesAreTakenBack()
    {
        const QString final = dir.filePath("out.gif");
        for (int n = 1; n <= 100; ++n)
            QVERIFY(writeFile(QStringLiteral("%1.%2.part").arg(final).arg(n), "stale"));
        {
            PartialFile partial(final);
            QVERIFY2(partial.isOpen(), qPrintable(partial.errorString()));
            QCOMPARE(entries(), QStringList{"out.gif.1.part"});
        }

        const PartialFile running(dir.filePath("running.gif"));
        for (const char *name : {"a.GIF.7.part", "notes.1.part", "a.gif.part", "a.gif.x.part",
                                 "b.png.1.part"})
            QVERIFY(writeFile(dir.filePath(name), "x"));
        QVERIFY(QDir(dir.path()).mkdir("folder.gif.1.part"));
        removeStalePartialFiles(dir.path());
        QCOMPARE(entries(), QStringList({"a.gif.part", "a.gif.x.part", "b.png.1.part",
                                         "folder.gif.1.part", "notes.1.part",
                                         "running.gif.1.part"}));
        removeStalePartialFiles(dir.path(), "b.png");
        QVERIFY(!entries().contains("b.png.1.part"));
    }

    void unwritableFolderSaysWhy()
    {
        PartialFile partial(dir.filePath("no/such/out.gif"));
        QVERIFY(!partial.isOpen() && !partial.commit());
        QCOMPARE(partial.errorString(), QStringLiteral("No such file or directory"));
    }
};

QTEST_GUILESS_MAIN(TestPartialFile)
#include "tst_partialfile.moc"
