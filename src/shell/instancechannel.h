// One editor per user: a second start hands the files it was given to the editor that is running
// and ends. The running editor listens on a local socket in the user's private runtime folder.
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace mapwright {

class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    // The channel of this user, or one at serverName (a full socket path) for tests.
    explicit CInstanceChannel(QObject* parent = nullptr);
    CInstanceChannel(const QString& serverName, QObject* parent);
    ~CInstanceChannel() override;

    // The socket path of this user's editor.
    static QString DefaultServerName();

    // Hands paths (made absolute here) to the running editor; true when it took them. Waits at
    // most timeoutMs for the editor to answer.
    bool SendToRunning(const QStringList& paths, int timeoutMs = 5000) const;
    // Starts taking files from later starts; false when that is not possible (the editor then
    // simply runs alone).
    bool Listen();

    const QString& ServerName() const { return m_strServerName; }

signals:
    // A later start handed over paths, in its order (possibly none: it only wants the window).
    void FilesReceived(const QStringList& paths);

private:
    void OnNewConnection();

    QString m_strServerName;
    QLocalServer* m_pServer = nullptr;
};

}  // namespace mapwright
