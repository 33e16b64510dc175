#include "serverfixture.h"
#include "storetestdata.h"

#include "server/engine/sessions.h"

#include "testenvironment.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QtTest>

using namespace StoreTestData;

// Many connections writing at once: carts, foods of their own, payments
// and purchases (which read before they write) must all be stored, none refused because another connection
// was writing at the same moment.
class TstServerWrites final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void concurrentWritersAllSucceed();
};

namespace {

// One keep-alive connection that sends its calls one after the other and
// counts the replies that are not a success.
class Writer final : public QObject
{
public:
    Writer(quint16 port, QList<QByteArray> requests)
        : m_requests(std::move(requests))
    {
        connect(&m_socket, &QTcpSocket::connected, this, &Writer::sendNext);
        connect(&m_socket, &QTcpSocket::readyRead, this, &Writer::read);
        connect(&m_socket, &QTcpSocket::disconnected, this, [this] { m_broken = !finished(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }

    bool finished() const { return m_next >= m_requests.size() && m_waiting == false; }
    bool broken() const { return m_broken; }
    QStringList failures() const { return m_failures; }

private:
    void sendNext()
    {
        if (m_next >= m_requests.size())
            return;
        m_waiting = true;
        m_socket.write(m_requests.at(m_next++));
    }

    void read()
    {
        m_buffer += m_socket.readAll();
        const qsizetype headEnd = m_buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QByteArray head = m_buffer.left(headEnd).toLower();
        const qsizetype lengthAt = head.indexOf("content-length:");
        const qsizetype lengthEnd = head.indexOf("\r\n", lengthAt);
        const qint64 length = head.mid(lengthAt + 15, lengthEnd < 0 ? -1 : lengthEnd - lengthAt - 15).trimmed().toLongLong();
        if (lengthAt < 0 || m_buffer.size() < headEnd + 4 + length)
            return;
        const QByteArray body = m_buffer.mid(headEnd + 4, length);
        m_buffer.remove(0, headEnd + 4 + length);
        const int code = QJsonDocument::fromJson(body).object().value(QStringLiteral("result_code")).toInt(-1);
        if (code != 0)
            m_failures.append(QString::fromUtf8(body.left(200)));
        m_waiting = false;
        sendNext();
    }

    QTcpSocket m_socket;
    QList<QByteArray> m_requests;
    qsizetype m_next = 0;
    bool m_waiting = false;
    bool m_broken = false;
    QByteArray m_buffer;
    QStringList m_failures;
};

QByteArray post(const QByteArray& endpoint, const ServerFixture::Fields& fields, const QByteArray& token)
{
    const QByteArray body = ServerFixture::formBody(fields);
    return "POST /api/" + endpoint + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nCookie: olva_session=" + token
        + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace

void TstServerWrites::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerWrites::concurrentWritersAllSucceed()
{
    ServerFixture fixture;
    QVERIFY(fixture.start());
    QSqlDatabase db = fixture.context().db;
    QVERIFY(addProduct(db, 101, QStringLiteral("WORKOUT"), 1999));
    QVERIFY(addProduct(db, 102, QStringLiteral("WORKOUT"), 550));
    QVERIFY(insert(db, QStringLiteral("INSERT INTO food_categories (id, title) VALUES (1, 'Grains')"), {}));

    // One member per connection, each with a session; every connection
    // cycles through the kinds of write. Bounded: a few hundred calls.
    constexpr int connections = 16;
    const int rounds = qEnvironmentVariableIntValue("ROUNDS") > 0 ? qEnvironmentVariableIntValue("ROUNDS") : 12;
    std::vector<std::unique_ptr<Writer>> writers;
    const QString endDay = monthAhead();
    for (int i = 0; i < connections; ++i) {
        const qint64 member = 10 + i;
        QVERIFY(addMember(db, member));
        const QByteArray token = Sessions::start(db, member);
        QVERIFY(!token.isEmpty());
        const QString id = QString::number(member);
        QList<QByteArray> requests;
        for (int round = 0; round < rounds; ++round) {
            requests << post("setCheckout", {{"user_id", id}, {"product_id", "102"}, {"quantity", "1"}, {"ebook", "0"}},
                             token)
                     << post("uploadMyCalorie", {{"user_id", id}, {"category_id", "1"}, {"title", "Bread"},
                                                 {"cal", "80"}, {"carbs", "15"}, {"fat", "1"}, {"protein", "3"},
                                                 {"fiber", "1"}},
                             token)
                     << post("paymentProcess", {{"pay_type", "manual"}, {"productID", "101"}, {"type", "WORKOUT"},
                                                {"user_id", id}, {"cardNumber", goodCard()},
                                                {"expirationDate", nextYearExpiry()}, {"cardCode", "123"},
                                                {"amount", "19.99"}},
                             token)
                     << post("setPurchase", {{"user_id", id}, {"purchase_id", "101"}, {"endDay", endDay},
                                             {"status", "yes"}},
                             token)
                     << post("removeCheckout", {{"user_id", id}, {"product_id", "102"}}, token);
        }
        writers.push_back(std::make_unique<Writer>(fixture.port(), requests));
    }
    const auto allDone = [&writers] {
        for (const auto& writer : writers) {
            if (!writer->finished() && !writer->broken())
                return false;
        }
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(allDone(), 50000);
    QStringList failures;
    for (const auto& writer : writers) {
        QVERIFY(!writer->broken());
        failures += writer->failures();
    }
    QVERIFY2(failures.isEmpty(), qPrintable(QString::number(failures.size()) + QStringLiteral(" failed, first: ")
                                            + failures.value(0)));
    QSqlQuery count(db);
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM foods WHERE user_id >= 10")) && count.next());
    QCOMPARE(count.value(0).toInt(), connections * rounds);
}

QTEST_MAIN(TstServerWrites)
#include "tst_server_writes.moc"
