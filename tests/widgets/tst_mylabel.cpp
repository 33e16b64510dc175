#include "fakeserver.h"
#include "testimages.h"
#include "testenvironment.h"
#include "widgets/mylabel.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QtTest>

namespace {

QByteArray pngOf(const QSize& size, const QColor& color)
{
    return TestImages::png(size, color);
}

} // namespace

class TestMyLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void clickedOnEveryPress()
    {
        MyLabel label;
        label.resize(50, 20);
        QSignalSpy clicked(&label, &MyLabel::clicked);
        QTest::mousePress(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QTest::mouseRelease(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QTest::mousePress(&label, Qt::RightButton);
        QCOMPARE(clicked.count(), 2);
    }

    void wrappedText()
    {
        MyLabel label;
        label.setWrappedText("a rather long line that should wrap");
        QVERIFY(label.wordWrap());
        QCOMPARE(label.text(), QString("a rather long line that should wrap"));
    }

    void pictureFromNetwork_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("replaced");
        const QByteArray png = pngOf(QSize(16, 8), Qt::blue);
        QTest::newRow("png") << 200 << png << true;
        QTest::newRow("garbage") << 200 << QByteArray("<html>not a picture</html>") << false;
        QTest::newRow("empty body") << 200 << QByteArray() << false;
        QTest::newRow("truncated png") << 200 << png.left(30) << false;
        QTest::newRow("error status with picture") << 404 << png << false;
    }

    void pictureFromNetwork()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, replaced);

        FakeServer server;
        FakeServer::Reply reply;
        reply.status = status;
        reply.body = body;
        reply.headers = {{"Content-Type", "image/png"}};
        server.enqueue("/pictures/p.png", reply);

        MyLabel label;
        label.resize(40, 30);
        QPixmap before(5, 5);
        before.fill(Qt::yellow);
        label.setPixmap(before);

        QNetworkAccessManager network;
        connect(&network, &QNetworkAccessManager::finished, &label, &MyLabel::replyFinished);
        QPointer<QNetworkReply> networkReply = network.get(QNetworkRequest(server.url("/pictures/p.png")));

        // The label schedules the reply for deletion in every case.
        QTRY_VERIFY(networkReply.isNull());
        const QPixmap shown = label.pixmap();
        if (replaced) {
            QCOMPARE(shown.size(), QSize(40, 30));
            QCOMPARE(shown.toImage().pixelColor(20, 15), QColor(Qt::blue));
        } else {
            QCOMPARE(shown.size(), QSize(5, 5));
            QCOMPARE(shown.toImage().pixelColor(2, 2), QColor(Qt::yellow));
        }
    }

    void nullReplyIsIgnored()
    {
        MyLabel label;
        label.replyFinished(nullptr);
        QVERIFY(label.pixmap().isNull());
    }
};

QTEST_MAIN(TestMyLabel)
#include "tst_mylabel.moc"
