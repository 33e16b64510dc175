#include "app/singleinstance.h"

#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestSingleInstance final : public QObject
{
    Q_OBJECT

private slots:
    void secondInstanceReachesFirst();
    void staleSocketDoesNotBlock();
};

// Names carry the process id, so test runs in parallel never meet.
void TestSingleInstance::secondInstanceReachesFirst()
{
    const QString key =
        QStringLiteral("olva-test-%1-second").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    QVERIFY(first.claim());
    QSignalSpy activated(&first, &SingleInstance::activationRequested);
    for (int started = 1; started <= 2; ++started) {
        SingleInstance later(key);
        QVERIFY(!later.claim());
        QVERIFY(activated.wait());
        QCOMPARE(activated.count(), started);
    }
}

void TestSingleInstance::staleSocketDoesNotBlock()
{
    // A crashed client leaves its socket file with nobody listening on it.
    const QString key =
        QStringLiteral("olva-test-%1-stale").arg(QCoreApplication::applicationPid());
    const QByteArray path = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + key);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);

    SingleInstance instance(key);
    QVERIFY(instance.claim());
    QVERIFY(instance.isListening());
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
