// A start with no D-Bus session bus to reach gives D-Bus an address that fails at once, and only
// while the window is made: the programs the editor starts later see the environment as it was.
#include "shell/mapwrightapp.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace mapwright;

class CSessionBusTest : public QObject {
    Q_OBJECT
private slots:
    void ABusIsReachableByAddressSocketOrDbusLaunch();
    void TheShortcutLastsOnlyWhileItLivesAndOnlyWithoutABus();
};

namespace {

// An environment naming no bus, with folder as runtime folder and as the whole PATH.
QProcessEnvironment NoBus(const QString& folder)
{
    QProcessEnvironment env;
    env.insert("XDG_RUNTIME_DIR", folder);
    env.insert("PATH", folder);
    return env;
}

bool SystemDbusLaunch()
{
    return QFileInfo(QStringLiteral("/usr/bin/dbus-launch")).isExecutable();
}

}  // namespace

void CSessionBusTest::ABusIsReachableByAddressSocketOrDbusLaunch()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QProcessEnvironment env = NoBus(folder.path());
    QCOMPARE(SessionBusReachable(env), SystemDbusLaunch());
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
    QVERIFY(SessionBusReachable(env));

    QFile socket(folder.filePath("bus"));
    QVERIFY(socket.open(QIODevice::WriteOnly));
    socket.close();
    QVERIFY(SessionBusReachable(NoBus(folder.path())));
    QVERIFY(socket.remove());

    QFile launcher(folder.filePath("dbus-launch"));
    QVERIFY(launcher.open(QIODevice::WriteOnly));
    launcher.close();
    QVERIFY(launcher.setPermissions(launcher.permissions() | QFileDevice::ExeOwner));
    QVERIFY(SessionBusReachable(NoBus(folder.path())));
}

void CSessionBusTest::TheShortcutLastsOnlyWhileItLivesAndOnlyWithoutABus()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QByteArray path = qgetenv("PATH");
    const bool hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("PATH", folder.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());

    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
    {
        CNoSessionBusShortcut shortcut;
        QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), QByteArray("unix:path=/run/user/1000/bus"));
    }
    QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), QByteArray("unix:path=/run/user/1000/bus"));

    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    {
        CNoSessionBusShortcut shortcut;
        QCOMPARE(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"), !SystemDbusLaunch());
    }
    QVERIFY(!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"));

    qputenv("PATH", path);
    if (hadRuntime)
        qputenv("XDG_RUNTIME_DIR", runtime);
    else
        qunsetenv("XDG_RUNTIME_DIR");
}

QTEST_MAIN(CSessionBusTest)
#include "sessionbus_test.moc"
