#include "platform/privatetempfile.h"
#include "support/browsertestbench.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace mapwright;

class CPrivateTempFileTest : public QObject {
    Q_OBJECT
private slots:
    void OwnFilesAreEmptiedAndEverythingElseRefused();
};

void CPrivateTempFileTest::OwnFilesAreEmptiedAndEverythingElseRefused()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const auto path = [&](const char* name) { return folder.path() + "/" + name; };

    // A new file is readable by this user alone; a stale file of ours is emptied and reused.
    WriteAll(path("stale"), "old text that is longer");
    for (const char* name : {"new", "stale"}) {
        CPrivateTempFile file;
        QVERIFY(file.Create(ToBytes(path(name))));
        QVERIFY(file.Write("fresh"));
        QVERIFY(file.Close());
        QCOMPARE(ReadAll(path(name)), QByteArray("fresh"));
    }
    QCOMPARE(QFileInfo(path("new")).permissions() & 0x0077, QFileDevice::Permissions());

    // A link, also a dangling one, a file with a second name, a folder and a pipe are refused
    // untouched; the pipe without blocking.
    WriteAll(path("target"), "mine");
    QVERIFY(QFile::link(path("target"), path("link")));
    QVERIFY(QFile::link(path("nowhere"), path("dangling")));
    QVERIFY(::link(QFile::encodeName(path("target")).constData(), QFile::encodeName(path("second")).constData()) == 0);
    QVERIFY(QDir(folder.path()).mkdir("folder"));
    QVERIFY(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600) == 0);
    for (const char* name : {"link", "dangling", "second", "folder", "pipe"}) {
        CPrivateTempFile file;
        QVERIFY2(!file.Create(ToBytes(path(name))), name);
        QVERIFY(!file.Write("x"));
    }
    QCOMPARE(ReadAll(path("target")), QByteArray("mine"));
    QVERIFY(!QFile::exists(path("nowhere")));
}

QTEST_MAIN(CPrivateTempFileTest)
#include "privatetempfile_test.moc"
