#include "shell/instancechannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QtEndian>

#include <memory>

#include <unistd.h>

namespace mapwright {

namespace {

// A request is its length as four big-endian bytes, then the file paths as the file system spells
// them, each ended by a zero byte (which no path holds). The answer is one byte.
constexpr char kPathEnd = '\0';
constexpr qsizetype kHeaderBytes = 4;
constexpr char kTaken = '+';
// A request larger than this is not a start handing over its files.
constexpr quint32 kMaxRequestBytes = 4 * 1024 * 1024;

}  // namespace

CInstanceChannel::CInstanceChannel(QObject* parent) : CInstanceChannel(DefaultServerName(), parent) {}

CInstanceChannel::CInstanceChannel(const QString& serverName, QObject* parent)
    : QObject(parent), m_strServerName(serverName)
{
}

CInstanceChannel::~CInstanceChannel() = default;

QString CInstanceChannel::DefaultServerName()
{
    // The runtime folder belongs to the user alone, so nobody else can take the name.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/mapwright-%1.socket").arg(::getuid());
}

bool CInstanceChannel::SendToRunning(const QStringList& paths, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_strServerName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray body;
    for (const QString& path : paths)
        body += QFile::encodeName(QFileInfo(path).absoluteFilePath()) + kPathEnd;
    QByteArray header(kHeaderBytes, '\0');
    qToBigEndian(quint32(body.size()), header.data());
    socket.write(header + body);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Only an answer says the files were taken; a hung editor leaves this start to run alone.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.read(1) == QByteArray(1, kTaken);
}

bool CInstanceChannel::Listen()
{
    if (m_pServer)
        return true;
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_strServerName)) {
        // A socket left by an editor that ended without removing it answers nobody.
        QLocalSocket probe;
        probe.connectToServer(m_strServerName);
        if (probe.waitForConnected(1000) || !QLocalServer::removeServer(m_strServerName)
            || !server->listen(m_strServerName)) {
            delete server;
            return false;
        }
    }
    m_pServer = server;
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceChannel::OnNewConnection);
    return true;
}

void CInstanceChannel::OnNewConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, request] {
            *request += socket->readAll();
            if (request->size() < kHeaderBytes)
                return;
            const quint32 length = qFromBigEndian<quint32>(request->constData());
            if (length > kMaxRequestBytes) {
                socket->abort();
                return;
            }
            if (request->size() < kHeaderBytes + qsizetype(length))
                return;
            QStringList paths;
            for (const QByteArray& path : request->mid(kHeaderBytes, length).split(kPathEnd)) {
                if (!path.isEmpty())
                    paths << QFile::decodeName(path);
            }
            request->clear();
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            emit FilesReceived(paths);
        });
    }
}

}  // namespace mapwright
