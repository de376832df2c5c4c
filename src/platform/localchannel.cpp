#include "platform/localchannel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>

namespace mapwright {

CLocalChannel::CLocalChannel(QString serverName) : m_strServerName(std::move(serverName)) {}

CLocalChannel::~CLocalChannel()
{
    Drop();
}

bool CLocalChannel::IsStillOpen()
{
    if (!m_pSocket)
        return false;
    if (m_pSocket->state() == QLocalSocket::ConnectedState) {
        // A peer that went away shows as readable with nothing to read; looking takes no time.
        m_pSocket->waitForReadyRead(0);
        m_pSocket->readAll();
    }
    if (m_pSocket->state() == QLocalSocket::ConnectedState)
        return true;
    Drop();
    return false;
}

void CLocalChannel::Drop()
{
    if (!m_pSocket)
        return;
    m_pSocket->abort();
    delete m_pSocket;
}

bool CLocalChannel::Connect(int timeoutMs)
{
    if (IsStillOpen())
        return true;
    m_pSocket = new QLocalSocket(QCoreApplication::instance());
    m_pSocket->connectToServer(m_strServerName, QIODevice::ReadWrite);
    if (m_pSocket->waitForConnected(timeoutMs))
        return true;
    Drop();
    return false;
}

bool CLocalChannel::Send(const QByteArray& bytes, int timeoutMs)
{
    if (!IsStillOpen())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    bool sent = m_pSocket->write(bytes) == bytes.size();
    m_pSocket->flush();
    while (sent && m_pSocket->bytesToWrite() > 0 && m_pSocket->state() == QLocalSocket::ConnectedState) {
        if (deadline.hasExpired() || !m_pSocket->waitForBytesWritten(int(deadline.remainingTime())))
            break;
    }
    // A write error closes the socket and empties its buffer, so both are looked at.
    sent = sent && m_pSocket->bytesToWrite() == 0 && m_pSocket->state() == QLocalSocket::ConnectedState;
    if (!sent)
        Drop();
    return sent;
}

}  // namespace mapwright
