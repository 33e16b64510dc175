#include "app/singleinstance.h"

#include "app/accountstate.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr char activateMessage[] = "activate\n";
constexpr int connectWaitMs = 1000;
// A message longer than this is not ours; the connection is dropped.
constexpr qint64 maxMessageBytes = 64;

QString userId()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    const QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? qEnvironmentVariable("USER") : name;
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), m_key(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
    const QString where = userId() + QLatin1Char('\n') +
                          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                          QLatin1Char('\n') + AccountState::defaultDataDir();
    // Socket names are file names on Unix: keep them short and plain.
    const QByteArray digest =
        QCryptographicHash::hash(where.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("olva-app-") + userId() + QLatin1Char('-') + QString::fromLatin1(digest);
}

bool SingleInstance::claim()
{
    if (tellRunning())
        return false;
    // Nobody answered: a socket file left there belongs to a client that
    // crashed, and would make listen() fail.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (m_server->listen(m_key))
        return true;
    // Another client may have started at the same moment and won the name.
    delete m_server;
    m_server = nullptr;
    return !tellRunning();
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::tellRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(connectWaitMs))
        return false;
    socket.write(activateMessage);
    const bool sent = socket.waitForBytesWritten(connectWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(connectWaitMs);
    return sent;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > maxMessageBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            socket->disconnectFromServer();
            if (line == activateMessage)
                emit activationRequested();
        });
    }
}
