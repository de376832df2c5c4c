#include "integration/editorbridge.h"
#include "document/mapdocument.h"
#include "platform/localchannel.h"
#include "support/browsertestbench.h"
#include "support/scriptedprompt.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtTest>

#include <ctime>

using namespace mapwright;

namespace {

const char kNoEditor[] = "You should open a document in Pagewright to use this command.";

// Pagewright's side: listens on its server name and reads the lines it is sent.
class CEditorPeer {
public:
    CEditorPeer()
    {
        QLocalServer::removeServer(CEditorBridge::kEditorServerName);
        m_server.listen(CEditorBridge::kEditorServerName);
    }
    bool Listening() const { return m_server.isListening(); }

    // The next line sent to the editor, on the connection made last; empty when none came.
    QByteArray NextLine()
    {
        if (m_server.hasPendingConnections() || m_server.waitForNewConnection(2000))
            m_pConnection = m_server.nextPendingConnection();
        if (!m_pConnection)
            return {};
        while (!m_pConnection->canReadLine() && m_pConnection->waitForReadyRead(2000)) {
        }
        return m_pConnection->readLine();
    }

private:
    QLocalServer m_server;
    QLocalSocket* m_pConnection = nullptr;
};

// The exchange number in "55555 K\n"; -1 for any other line.
int ExchangeNumber(const QByteArray& line)
{
    if (!line.startsWith("55555 ") || !line.endsWith('\n'))
        return -1;
    bool ok = false;
    const int k = line.mid(6).trimmed().toInt(&ok);
    return ok ? k : -1;
}

}  // namespace

class CEditorBridgeTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void WithoutEditorNothingIsWritten();
    void PageReachesTheEditorAsASaveWritesIt();
    void EditorStartedAgainIsFoundAgain();
    void PeerThatNeverReadsCannotFreezeTheSender();

private:
    std::unique_ptr<CBrowserTestBench> m_bench;
    CScriptedPrompt m_prompt;
    CMapDocument m_doc;
};

void CEditorBridgeTest::init()
{
    m_bench = std::make_unique<CBrowserTestBench>();
    QVERIFY(m_bench->Ok());
    m_prompt = CScriptedPrompt();
    m_doc.ReplaceLines({"<IMG SRC=\"a.gif\" USEMAP=\"#a\">", "<MAP NAME=\"a\">", "</MAP>"});
}

void CEditorBridgeTest::cleanup()
{
    m_bench.reset();
}

void CEditorBridgeTest::WithoutEditorNothingIsWritten()
{
    CEditorBridge::OnPasteToEditor(m_doc, m_prompt);
    QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>({{kNoEditor, ""}}));
    QCOMPARE(m_bench->TempEntries(), QStringList());
}

void CEditorBridgeTest::PageReachesTheEditorAsASaveWritesIt()
{
    CEditorPeer editor;
    QVERIFY(editor.Listening());
    const int counter = CEditorBridge::s_nBridgeCounter;
    const auto before = std::time(nullptr);
    CEditorBridge::OnPasteToEditor(m_doc, m_prompt);
    CEditorBridge::OnPasteToEditor(m_doc, m_prompt);
    const auto after = std::time(nullptr);
    QVERIFY(m_prompt.m_messages.empty());

    const int first = ExchangeNumber(editor.NextLine());
    const int second = ExchangeNumber(editor.NextLine());
    QVERIFY(first >= 0 && second >= 0);
    QVERIFY(first != second);
    QCOMPARE(CEditorBridge::s_nBridgeCounter, counter + 2);
    // K is the time's low 16 bits plus the use counter.
    const int low = int(before & 0xFFFF);
    QVERIFY(first == low + counter + 1 || (before != after && first == int(after & 0xFFFF) + counter + 1));

    const QByteArray page = "<IMG SRC=\"a.gif\" USEMAP=\"#a\">\r\n<MAP NAME=\"a\">\r\n</MAP>\r\n";
    for (const int k : {first, second}) {
        const QString file = QString("%1/~MWTMPF_N%2.tmp").arg(m_bench->Temp()).arg(k);
        QCOMPARE(ReadAll(file), page);
    }
    const QStringList exchangeFiles = m_bench->TempEntries().filter(".tmp");
    QCOMPARE(exchangeFiles.size(), 2);
}

void CEditorBridgeTest::EditorStartedAgainIsFoundAgain()
{
    auto editor = std::make_unique<CEditorPeer>();
    CEditorBridge::OnPasteToEditor(m_doc, m_prompt);
    QVERIFY(ExchangeNumber(editor->NextLine()) >= 0);

    // Closed and started again, with no event handled in between: the kept connection is dead.
    editor.reset();
    editor = std::make_unique<CEditorPeer>();
    CEditorBridge::OnPasteToEditor(m_doc, m_prompt);
    QVERIFY(m_prompt.m_messages.empty());
    QVERIFY(ExchangeNumber(editor->NextLine()) >= 0);
    QCOMPARE(m_bench->TempEntries().filter(".tmp").size(), 2);

    editor.reset();
    CEditorBridge::OnPasteToEditor(m_doc, m_prompt);
    QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>({{kNoEditor, ""}}));
    QCOMPARE(m_bench->TempEntries().filter(".tmp").size(), 2);
}

void CEditorBridgeTest::PeerThatNeverReadsCannotFreezeTheSender()
{
    QLocalServer::removeServer("stuck peer");
    QLocalServer stuck;
    QVERIFY(stuck.listen("stuck peer"));
    CLocalChannel channel("stuck peer");
    QVERIFY(channel.Connect(1000));
    QVERIFY(channel.Send("55555 1\n", 1000));

    // Far more than the system holds for a reader that never reads.
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!channel.Send(QByteArray(16 << 20, 'x'), 300));
    QVERIFY(clock.elapsed() < 5000);

    // The stuck connection was dropped; the next use connects anew.
    QVERIFY(channel.Connect(1000));
    QVERIFY(stuck.waitForNewConnection(1000));
    QVERIFY(stuck.waitForNewConnection(1000));
    QVERIFY(channel.Send("55555 2\n", 1000));
}

QTEST_MAIN(CEditorBridgeTest)
#include "editorbridge_test.moc"
