#include "app/labelpicture.h"
#include "app/pictureloader.h"
#include "app/utils.h"
#include "fakeserver.h"
#include "testenvironment.h"
#include "testimages.h"

#include <QLabel>
#include <QStandardPaths>
#include <QtTest>

#include <optional>

class TestPictureLoader final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cacheIsTheMembersOwn();
    void onlyWebAddressesAreFetched_data();
    void onlyWebAddressesAreFetched();
    void labelShowsOnlyAPicture_data();
    void labelShowsOnlyAPicture();
    void oversizedReplyIsRefused_data();
    void oversizedReplyIsRefused();
    void labelGoneWhileReplyIsOut();

private:
    // Fetches `path` onto `label`: whether the fetch ended with a picture,
    // nothing when it did not end.
    std::optional<bool> fetchOnto(QLabel* label, const QString& path);

    FakeServer m_server;
};

void TestPictureLoader::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
}

std::optional<bool> TestPictureLoader::fetchOnto(QLabel* label, const QString& path)
{
    QSignalSpy ended(PictureLoader::instance(), &PictureLoader::fetchEnded);
    if (!LabelPicture::fetch(label, m_server.url(path).toString()) || !ended.wait(10000))
        return std::nullopt;
    return ended.first().at(1).toBool();
}

void TestPictureLoader::cacheIsTheMembersOwn()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(!cache.isEmpty());
    QVERIFY(PictureLoader::cacheFolder().startsWith(cache + QLatin1Char('/')));
    const QString folder = PictureLoader::cacheFolder() + QLatin1Char('/');
    QVERIFY(Utils::backgroundFilePath(3).startsWith(folder));
}

void TestPictureLoader::onlyWebAddressesAreFetched_data()
{
    QTest::addColumn<QString>("address");
    const QString port = QString::number(m_server.port());
    QTest::newRow("file") << QStringLiteral("file:///etc/hostname");
    QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1:%1/p.png").arg(port);
    QTest::newRow("no host") << QStringLiteral("http:///p.png");
    QTest::newRow("relative") << QStringLiteral("/p.png");
    QTest::newRow("qrc") << QStringLiteral("qrc:/main/assets/logo.png");
    QTest::newRow("empty") << QString();
}

void TestPictureLoader::onlyWebAddressesAreFetched()
{
    QFETCH(QString, address);
    const int before = PictureLoader::instance()->requestCount();
    QLabel label;
    QVERIFY(!LabelPicture::fetch(&label, address));
    QCOMPARE(PictureLoader::instance()->requestCount(), before);
}

void TestPictureLoader::labelShowsOnlyAPicture_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("replaced");
    const QByteArray png = TestImages::png(QSize(16, 8), Qt::blue);
    QTest::newRow("png") << 200 << png << true;
    QTest::newRow("garbage") << 200 << QByteArray("<html>not a picture</html>") << false;
    QTest::newRow("empty body") << 200 << QByteArray() << false;
    QTest::newRow("truncated png") << 200 << png.left(30) << false;
    QTest::newRow("error status with picture") << 404 << png << false;
}

void TestPictureLoader::labelShowsOnlyAPicture()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, replaced);
    FakeServer::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.headers = {{"Content-Type", "image/png"}};
    m_server.enqueue(QStringLiteral("/pictures/p.png"), reply);
    QLabel label;
    label.resize(40, 30);
    QPixmap before(5, 5);
    before.fill(Qt::yellow);
    label.setPixmap(before);

    QCOMPARE(fetchOnto(&label, QStringLiteral("/pictures/p.png")), std::optional<bool>(replaced));
    // Stretched to the label, or left as it was.
    const QImage shown = label.pixmap().toImage();
    QCOMPARE(shown.size(), replaced ? QSize(40, 30) : QSize(5, 5));
    QCOMPARE(shown.pixelColor(2, 2), replaced ? QColor(Qt::blue) : QColor(Qt::yellow));
}

void TestPictureLoader::oversizedReplyIsRefused_data()
{
    QTest::addColumn<bool>("announced");
    QTest::newRow("length announced") << true;    // refused before the body comes
    QTest::newRow("length unannounced") << false; // refused by the bytes received
}

void TestPictureLoader::oversizedReplyIsRefused()
{
    QFETCH(bool, announced);
    // A real picture followed by padding: a decoder alone would accept it.
    QByteArray body = TestImages::png(QSize(4, 4), Qt::red);
    body.append(PictureLoader::maximumReplyBytes + 1 - body.size(), '\0');
    FakeServer::FileOptions options;
    options.lengthByClose = !announced;
    if (announced)
        options.stallAfterBytes = 1024; // only the announced length can end it
    const QString path = QStringLiteral("/pictures/big-%1.png").arg(announced);
    m_server.serveFile(path, body, options);
    QLabel label;
    QCOMPARE(fetchOnto(&label, path), std::optional<bool>(false));
    QVERIFY(label.pixmap().isNull());
}

void TestPictureLoader::labelGoneWhileReplyIsOut()
{
    m_server.enqueue(QStringLiteral("/pictures/never.png"), FakeServer::Reply::hang());
    QSignalSpy ended(PictureLoader::instance(), &PictureLoader::fetchEnded);
    auto* label = new QLabel;
    const QString address = m_server.url(QStringLiteral("/pictures/never.png")).toString();
    QVERIFY(LabelPicture::fetch(label, address));
    QVERIFY(m_server.waitForRequests(QStringLiteral("/pictures/never.png"), 1));
    delete label;
    // The request goes with the label, well before any timeout.
    QTRY_COMPARE(ended.size(), 1);
    QCOMPARE(ended.first().at(1).toBool(), false);
}

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
