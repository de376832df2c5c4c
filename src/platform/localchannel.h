// A line-based channel to another program of this user that listens on a named local server.
// The connection is kept while it stays open and made again when it was closed. Every wait is
// bounded, so a peer that hangs or never reads cannot freeze the caller.
#pragma once

#include <QPointer>
#include <QString>

class QByteArray;
class QLocalSocket;

namespace mapwright {

class CLocalChannel {
public:
    explicit CLocalChannel(QString serverName);
    ~CLocalChannel();
    CLocalChannel(const CLocalChannel&) = delete;
    CLocalChannel& operator=(const CLocalChannel&) = delete;

    // True when the kept connection is still open, or a new one was made within timeoutMs;
    // false when nothing listens on the server name.
    bool Connect(int timeoutMs);

    // Writes bytes and waits at most timeoutMs until the system has taken all of them. On
    // failure drops the connection, so the next Connect looks for the server again.
    bool Send(const QByteArray& bytes, int timeoutMs);

private:
    // True when the kept connection is open; a connection the peer has closed is dropped.
    bool IsStillOpen();
    void Drop();

    QString m_strServerName;
    // Owned; a child of the application object so it goes before the application does.
    QPointer<QLocalSocket> m_pSocket;
};

}  // namespace mapwright
