#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "fakeserver.h"
#include "store/libraryrules.h"
#include "store/localvideofiles.h"
#include "store/storedcard.h"
#include "store/storereplies.h"
#include "store/subscriptionrenewal.h"
#include "testenvironment.h"
#include "video/downloadreport.h"
#include "video/transfermeter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The library's rules without windows: cards and rows, renewal, the stored
// card, safe deletion, the download report and the transfer figures.
class TestLibraryRules final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void showsCard_data();
    void showsCard();
    void libraryRow_data();
    void libraryRow();
    void downloadAction_data();
    void downloadAction();
    void needsRenewal_data();
    void needsRenewal();
    void storedCardKeepsNoSecrets();
    void renewalFieldsInOrder();
    void renewalOutcome_data();
    void renewalOutcome();
    void renewalOncePerProduct();
    void safeDelete_data();
    void safeDelete();
    void refreshAfterDownload_data();
    void refreshAfterDownload();
    void reportFields();
    void reportAnswer_data();
    void reportAnswer();
    void programRemoval_data();
    void programRemoval();
    void transferMeter();
    void transferTexts_data();
    void transferTexts();

private:
    FakeServer* m_fake = nullptr;
};

void TestLibraryRules::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QVERIFY(m_fake->isListening());
    m_fake->useAsApiHost();
}

void TestLibraryRules::init()
{
    m_fake->clear();
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("member@example.org");
    currentUserId = QStringLiteral("5");
}

void TestLibraryRules::showsCard_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("uri1");
    QTest::addColumn<bool>("card");
    QTest::newRow("library program, nothing downloaded") << 3 << "PROGRAM" << "" << true;
    QTest::newRow("library video not downloaded") << 3 << "WORKOUT" << "" << false;
    QTest::newRow("library video downloaded") << 3 << "WORKOUT" << "/d/.v.mp4" << true;
    QTest::newRow("nutrition library, product without file") << 8 << "NUTRITION" << "" << false;
    QTest::newRow("coaching library video") << 13 << "COACHING_VIDEO" << "/d/.c.mp4" << true;
    QTest::newRow("program videos from library, not downloaded") << 16 << "WORKOUT" << "" << false;
    QTest::newRow("program videos from store") << 15 << "WORKOUT" << "" << true;
    QTest::newRow("store list") << 0 << "WORKOUT" << "" << true;
}

void TestLibraryRules::showsCard()
{
    QFETCH(int, kind);
    QFETCH(QString, type);
    QFETCH(QString, uri1);
    QFETCH(bool, card);
    QCOMPARE(LibraryRules::showsCard(kind, type, uri1), card);
}

void TestLibraryRules::libraryRow_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("ebook");
    QTest::addColumn<QString>("playText");
    QTest::addColumn<int>("playWidth");
    QTest::addColumn<bool>("opensEbook");
    QTest::addColumn<bool>("opensProgram");
    QTest::addColumn<bool>("deleteButton");
    QTest::addColumn<bool>("cancelButton");
    QTest::newRow("video") << 3 << "WORKOUT" << 0 << "PLAY" << 80 << false << false << true << true;
    QTest::newRow("e-book reads") << 8 << "NUTRITION" << 1 << "Read" << 80 << true << false << false << true;
    QTest::newRow("program") << 3 << "PROGRAM" << 0 << "PROGRAM VIDEOS" << 240 << false << true << false << true;
    QTest::newRow("program video has no cancel") << 16 << "WORKOUT" << 0 << "PLAY" << 80 << false << false << true << false;
    QTest::newRow("coaching video") << 13 << "COACHING_VIDEO" << 0 << "PLAY" << 80 << false << false << true << true;
}

void TestLibraryRules::libraryRow()
{
    QFETCH(int, kind);
    QFETCH(QString, type);
    QFETCH(int, ebook);
    const LibraryRules::LibraryRow row = LibraryRules::libraryRow(kind, type, ebook);
    QTEST(row.playText, "playText");
    QTEST(row.playWidth, "playWidth");
    QTEST(row.playOpensEbook, "opensEbook");
    QTEST(row.playOpensProgram, "opensProgram");
    QTEST(row.deleteButton, "deleteButton");
    QTEST(row.cancelButton, "cancelButton");
}

void TestLibraryRules::downloadAction_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("uri1");
    QTest::addColumn<int>("action");
    QTest::newRow("program video already downloaded") << 15 << "/d/.p.mp4" << int(LibraryRules::DownloadAction::Nothing);
    QTest::newRow("program video") << 15 << "" << int(LibraryRules::DownloadAction::ProgramVideo);
    QTest::newRow("single video") << 0 << "" << int(LibraryRules::DownloadAction::SingleVideo);
    QTest::newRow("nutrition video") << 6 << "" << int(LibraryRules::DownloadAction::SingleVideo);
}

void TestLibraryRules::downloadAction()
{
    QFETCH(int, kind);
    QFETCH(QString, uri1);
    QFETCH(int, action);
    QCOMPARE(int(LibraryRules::downloadAction(kind, uri1)), action);
    QCOMPARE(LibraryRules::desktopId(7), QStringLiteral("7_desktop"));
}

void TestLibraryRules::needsRenewal_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("id");
    QTest::addColumn<qint64>("endDay");
    QTest::addColumn<bool>("renew");
    const qint64 now = 1800000000000;
    QTest::newRow("lapsed workout") << "WORKOUT" << "yes" << 7 << now - 1 << true;
    QTest::newRow("lapsed program") << "PROGRAM" << "yes" << 7 << now - 1 << true;
    QTest::newRow("lapsed nutrition video") << "NUTRITION_VIDEO" << "yes" << 7 << now - 1 << true;
    QTest::newRow("lapsed coaching video") << "COACHING_VIDEO" << "yes" << 7 << now - 1 << true;
    QTest::newRow("long ago") << "WORKOUT" << "yes" << 7 << qint64(1) << true;
    QTest::newRow("running") << "WORKOUT" << "yes" << 7 << now + 1 << false;
    QTest::newRow("ends now") << "WORKOUT" << "yes" << 7 << now << false;
    QTest::newRow("far future") << "WORKOUT" << "yes" << 7 << std::numeric_limits<qint64>::max() << false;
    QTest::newRow("nutrition never") << "NUTRITION" << "yes" << 7 << now - 1 << false;
    QTest::newRow("coaching never") << "COACHING" << "yes" << 7 << now - 1 << false;
    QTest::newRow("not owned") << "WORKOUT" << "no" << 7 << now - 1 << false;
    QTest::newRow("status missing") << "WORKOUT" << "" << 7 << now - 1 << false;
    QTest::newRow("endDay missing or unreadable") << "WORKOUT" << "yes" << 7 << qint64(0) << false;
    QTest::newRow("endDay negative") << "WORKOUT" << "yes" << 7 << qint64(-5) << false;
    QTest::newRow("id missing") << "WORKOUT" << "yes" << 0 << now - 1 << false;
}

void TestLibraryRules::needsRenewal()
{
    QFETCH(QString, type);
    QFETCH(QString, status);
    QFETCH(int, id);
    QFETCH(qint64, endDay);
    QFETCH(bool, renew);
    QCOMPARE(LibraryRules::needsRenewal(type, status, id, endDay, 1800000000000), renew);
}

void TestLibraryRules::storedCardKeepsNoSecrets()
{
    StoredCard::Values paid;
    paid[StoredCard::FirstName] = QStringLiteral("Ada");
    paid[StoredCard::Country] = QStringLiteral("US");
    paid[StoredCard::Number] = QStringLiteral("4242 4242 4242 4242");
    paid[StoredCard::Code] = QStringLiteral("123");
    paid[StoredCard::ExpirationDate] = QStringLiteral("2030-12");
    StoredCard::save(QStringLiteral("WORKOUT"), 12, paid);

    QCOMPARE(StoredCard::key(QStringLiteral("WORKOUT"), StoredCard::FirstName, 12), QStringLiteral("WORKOUTcardFirstName12"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("WORKOUTcardCounntry12")), QStringLiteral("US"));
    const StoredCard::Values read = StoredCard::read(QStringLiteral("WORKOUT"), 12);
    QCOMPARE(read[StoredCard::FirstName], QStringLiteral("Ada"));
    QCOMPARE(read[StoredCard::Number], QStringLiteral("4242"));
    QCOMPARE(read[StoredCard::Code], QString());
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("WORKOUTcardCode12")));
    QCOMPARE(read[StoredCard::ExpirationDate], QStringLiteral("2030-12"));
    // Another product has nothing stored.
    QCOMPARE(StoredCard::read(QStringLiteral("WORKOUT"), 13)[StoredCard::FirstName], QString());
}

void TestLibraryRules::renewalFieldsInOrder()
{
    RenewalItem item;
    item.id = 12;
    item.type = QStringLiteral("WORKOUT");
    item.title = QStringLiteral("Core & More");
    item.price = 19.99;
    item.quantity = 1;
    StoredCard::Values card;
    card[StoredCard::Number] = QStringLiteral("4242");
    card[StoredCard::ExpirationDate] = QStringLiteral("2030-12");
    const QUrlQuery fields = SubscriptionRenewal::paymentFields(item, card, QStringLiteral("5"));
    QStringList keys;
    for (const auto& pair : fields.queryItems())
        keys.append(pair.first);
    QCOMPARE(keys, QStringList({"pay_type", "productID", "type", "user_id", "country", "first_name", "last_name",
                                "address", "city", "state", "zipcode", "user_email", "user_phone", "cardNumber",
                                "expirationDate", "cardCode", "amount", "description", "subsebook"}));
    QCOMPARE(fields.queryItemValue(QStringLiteral("pay_type")), QStringLiteral("auto"));
    QCOMPARE(fields.queryItemValue(QStringLiteral("amount")), QStringLiteral("19.99"));
    QCOMPARE(fields.queryItemValue(QStringLiteral("description"), QUrl::FullyDecoded),
             QStringLiteral("Title: Core & More, Price: $19.99, Quantity: 1"));
    QCOMPARE(SubscriptionRenewal::amountText(1234567), QStringLiteral("1234567")); // never in exponent form
}

void TestLibraryRules::renewalOutcome_data()
{
    QTest::addColumn<QByteArray>("payment");
    QTest::addColumn<QByteArray>("record");   // the answer to setPurchase
    QTest::addColumn<QString>("followUp");    // endpoint sent next, empty for none
    QTest::addColumn<QString>("followUpId");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<qint64>("paidAt");       // payment_time of the answer, 0: none

    const QByteArray recorded = R"({"result_code":0})";
    const qint64 lastWeek = QDateTime::currentMSecsSinceEpoch() - 7LL * 24 * 3600 * 1000;
    QTest::newRow("paid") << QByteArray(R"({"result_code":0,"productID":"12"})") << recorded << "setPurchase" << "12"
                          << "renewed" << qint64(0);
    QTest::newRow("declined") << QByteArray(R"({"result_code":4,"productID":"12"})") << recorded << "removeSubscription"
                              << "12" << "cancelled" << qint64(0);
    QTest::newRow("paid, no productID") << QByteArray(R"({"result_code":0})") << recorded << "setPurchase" << "12"
                                        << "renewed" << qint64(0);
    QTest::newRow("declined, no productID") << QByteArray(R"({"result_code":4})") << recorded << "removeSubscription"
                                            << "12" << "cancelled" << qint64(0);
    QTest::newRow("not JSON") << QByteArray("<html>oops</html>") << recorded << "" << "" << "failed" << qint64(0);
    QTest::newRow("no result_code") << QByteArray(R"({"productID":"12"})") << recorded << "" << "" << "failed" << qint64(0);
    // The reply only echoes the product paid for; another id in it must not
    // renew or cancel that other product.
    QTest::newRow("paid, another product named") << QByteArray(R"({"result_code":0,"productID":"99"})") << recorded
                                                 << "setPurchase" << "12" << "renewed" << qint64(0);
    QTest::newRow("declined, several products named") << QByteArray(R"({"result_code":4,"productID":"7_12"})")
                                                       << recorded << "removeSubscription" << "12" << "cancelled"
                                                       << qint64(0);
    // Only a decline cancels: everything else keeps the subscription for
    // the next list to try again.
    QTest::newRow("storage failure") << QByteArray(R"({"result_code":99,"message":"nothing was written"})") << recorded
                                     << "" << "" << "failed" << qint64(0);
    QTest::newRow("unknown code") << QByteArray(R"({"result_code":977})") << recorded << "" << "" << "failed" << qint64(0);
    // A code that is not a whole number is never an approval.
    QTest::newRow("code as text") << QByteArray(R"({"result_code":"ok"})") << recorded << "" << "" << "failed" << qint64(0);
    QTest::newRow("code a fraction") << QByteArray(R"({"result_code":0.5})") << recorded << "" << "" << "failed"
                                     << qint64(0);
    // Paid, not recorded: not renewed, and not cancelled either.
    QTest::newRow("record refused") << QByteArray(R"({"result_code":0})") << QByteArray(R"({"result_code":99})")
                                    << "setPurchase" << "12" << "failed" << qint64(0);
    // The payment of a week ago, answered again: the period counts from it.
    QTest::newRow("paid a week ago") << QByteArray(R"({"result_code":0,"payment_time":")" + QByteArray::number(lastWeek)
                                                   + "\"}")
                                     << recorded << "setPurchase" << "12" << "renewed" << lastWeek;
}

void TestLibraryRules::renewalOutcome()
{
    QFETCH(QByteArray, payment);
    QFETCH(QByteArray, record);
    QFETCH(QString, followUp);
    QFETCH(QString, followUpId);
    QFETCH(QString, outcome);
    QFETCH(qint64, paidAt);

    m_fake->enqueueJson(QStringLiteral("paymentProcess"), payment);
    m_fake->enqueueJson(QStringLiteral("setPurchase"), record);
    m_fake->enqueueJson(QStringLiteral("removeSubscription"), R"({"result_code":0})");
    SubscriptionRenewal* renewal = SubscriptionRenewal::instance();
    QSignalSpy renewed(renewal, &SubscriptionRenewal::renewed);
    QSignalSpy cancelled(renewal, &SubscriptionRenewal::cancelled);
    QSignalSpy failed(renewal, &SubscriptionRenewal::failed);

    // A member of their own: a declined card is not tried again for the same member.
    currentUserId = QStringLiteral("renewal ") + QLatin1String(QTest::currentDataTag());
    RenewalItem item{12, QStringLiteral("WORKOUT"), QStringLiteral("Core"), 9.99, 1, 0};
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    QVERIFY(renewal->renew(item));
    QTRY_COMPARE(renewed.size() + cancelled.size() + failed.size(), 1);
    QCOMPARE(renewed.size(), outcome == QLatin1String("renewed") ? 1 : 0);
    QCOMPARE(cancelled.size(), outcome == QLatin1String("cancelled") ? 1 : 0);
    QCOMPARE(failed.size(), outcome == QLatin1String("failed") ? 1 : 0);
    QVERIFY(!renewal->isRenewing(12));

    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/setPurchase")), followUp == QLatin1String("setPurchase") ? 1 : 0);
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/removeSubscription")),
             followUp == QLatin1String("removeSubscription") ? 1 : 0);
    if (followUp == QLatin1String("setPurchase")) {
        const FakeServer::Request sent = m_fake->lastRequest(QStringLiteral("/api/setPurchase"));
        QCOMPARE(sent.field(QStringLiteral("purchase_id")), followUpId);
        QCOMPARE(sent.field(QStringLiteral("status")), QStringLiteral("yes"));
        const qint64 endDay = sent.field(QStringLiteral("endDay")).toLongLong();
        const qint64 month = 30LL * 24 * 3600 * 1000;
        if (paidAt > 0)
            QCOMPARE(endDay, paidAt + month);
        else
            QVERIFY(endDay >= before + month && endDay <= QDateTime::currentMSecsSinceEpoch() + month);
    } else if (followUp == QLatin1String("removeSubscription")) {
        QCOMPARE(m_fake->lastRequest(QStringLiteral("/api/removeSubscription")).field(QStringLiteral("product_id")),
                 followUpId);
    }
    // Not cancelled: the next list showing the item renews it again.
    if (outcome == QLatin1String("failed")) {
        m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0})");
        m_fake->enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":0})");
        QVERIFY(renewal->renew(item));
        QTRY_COMPARE(renewed.size(), 1);
    }
}

void TestLibraryRules::renewalOncePerProduct()
{
    // The payment answers late: a second list showing the same item meanwhile
    // must not charge it again; another product is renewed on its own.
    currentUserId = QStringLiteral("renewing member");
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0,"productID":"12"})", 300);
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0,"productID":"13"})", 300);
    m_fake->setDefaultReply(QStringLiteral("/api/setPurchase"), FakeServer::Reply::json(R"({"result_code":0})"));
    SubscriptionRenewal* renewal = SubscriptionRenewal::instance();
    QSignalSpy renewed(renewal, &SubscriptionRenewal::renewed);
    RenewalItem first{12, QStringLiteral("WORKOUT"), QStringLiteral("A"), 5, 1, 0};
    RenewalItem other{13, QStringLiteral("PROGRAM"), QStringLiteral("B"), 5, 1, 0};
    QVERIFY(renewal->renew(first));
    QVERIFY(!renewal->renew(first));
    QVERIFY(renewal->renew(other));
    QVERIFY(renewal->isRenewing(12));
    QTRY_COMPARE(renewed.size(), 2);
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/paymentProcess")), 2);
    // Once answered, a later list may renew again (for the next period).
    QVERIFY(!renewal->isRenewing(12));
}

void TestLibraryRules::safeDelete_data()
{
    QTest::addColumn<QString>("name"); // what uri1 names, relative to the test root
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("outsideSurvives");
    QTest::newRow("video inside") << "data/.v.mp4" << int(LocalVideoFiles::Removal::Deleted) << true;
    QTest::newRow("inside through ..") << "data/sub/../.v.mp4" << int(LocalVideoFiles::Removal::Deleted) << true;
    QTest::newRow("missing") << "data/.gone.mp4" << int(LocalVideoFiles::Removal::Missing) << true;
    QTest::newRow("climbs out") << "REL:../outside/victim.txt" << int(LocalVideoFiles::Removal::Outside) << true;
    QTest::newRow("etc passwd") << "REL:../../etc/passwd" << int(LocalVideoFiles::Removal::Missing) << true;
    QTest::newRow("absolute outside") << "outside/victim.txt" << int(LocalVideoFiles::Removal::Outside) << true;
    QTest::newRow("symlink pointing out") << "data/.link.mp4" << int(LocalVideoFiles::Removal::Outside) << true;
    QTest::newRow("data directory itself") << "data" << int(LocalVideoFiles::Removal::Outside) << true;
    QTest::newRow("directory inside") << "data/folder" << int(LocalVideoFiles::Removal::NotAFile) << true;
    QTest::newRow("prefix sibling") << "data2/.v.mp4" << int(LocalVideoFiles::Removal::Outside) << true;
}

void TestLibraryRules::safeDelete()
{
    QFETCH(QString, name);
    QFETCH(int, result);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString data = root.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(data + QStringLiteral("/folder")));
    QVERIFY(QDir().mkpath(data + QStringLiteral("/sub")));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("outside"))));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("data2"))));
    const auto write = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
    };
    QVERIFY(write(data + QStringLiteral("/.v.mp4")));
    QVERIFY(write(root.filePath(QStringLiteral("outside/victim.txt"))));
    QVERIFY(write(root.filePath(QStringLiteral("data2/.v.mp4"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("outside/victim.txt")), data + QStringLiteral("/.link.mp4")));

    const QString path = name.startsWith(QLatin1String("REL:")) ? name.mid(4) : root.filePath(name);
    QCOMPARE(int(LocalVideoFiles::remove(path, data)), result);
    QVERIFY(QFile::exists(root.filePath(QStringLiteral("outside/victim.txt"))));
    QVERIFY(QFile::exists(root.filePath(QStringLiteral("data2/.v.mp4"))));
    QVERIFY(QFileInfo(data).isDir());
    if (result == int(LocalVideoFiles::Removal::Deleted))
        QVERIFY(!QFile::exists(data + QStringLiteral("/.v.mp4")));
    else if (name != QLatin1String("data/.v.mp4"))
        QVERIFY(QFile::exists(data + QStringLiteral("/.v.mp4")));
}

void TestLibraryRules::refreshAfterDownload_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("program");
    QTest::addColumn<int>("productKind");
    QTest::addColumn<int>("libraryKind");
    QTest::newRow("workout") << "WORKOUT" << false << 0 << 3;
    QTest::newRow("nutrition video") << "NUTRITION_VIDEO" << false << 6 << 8;
    QTest::newRow("coaching video") << "COACHING_VIDEO" << false << 11 << 13;
    QTest::newRow("program video, whatever its type") << "COACHING_VIDEO" << true << 1 << 3;
    QTest::newRow("unknown type") << "" << false << 0 << 3;
}

void TestLibraryRules::refreshAfterDownload()
{
    QFETCH(QString, type);
    QFETCH(bool, program);
    const DownloadReport::Refresh refresh = DownloadReport::refreshFor(type, program);
    QTEST(refresh.productKind, "productKind");
    QTEST(refresh.libraryKind, "libraryKind");
}

void TestLibraryRules::reportFields()
{
    const QUrlQuery video = DownloadReport::videoFields(QStringLiteral("5"), 42, QStringLiteral("/d/.v.mp4"));
    QStringList keys;
    for (const auto& pair : video.queryItems())
        keys.append(pair.first);
    QCOMPARE(keys, QStringList({"user_id", "video_id", "uri", "uri1"}));
    QCOMPARE(video.queryItemValue(QStringLiteral("uri")), QString());
    QCOMPARE(video.queryItemValue(QStringLiteral("uri1")), QStringLiteral("/d/.v.mp4"));
    const QUrlQuery program = DownloadReport::programVideoFields(QStringLiteral("5"), 7, QStringLiteral("/d/.p.mp4"));
    QCOMPARE(program.toString(), QStringLiteral("user_id=5&program_id=7_desktop&uri1=/d/.p.mp4"));
}

void TestLibraryRules::transferMeter()
{
    TransferMeter meter(3000);
    QCOMPARE(meter.speed(), 0.0);
    QCOMPARE(meter.secondsLeft(1000), qint64(-1));
    meter.addSample(0, 0);
    meter.addSample(1000, 1000000);
    QCOMPARE(meter.speed(), 1000000.0);
    QCOMPARE(meter.secondsLeft(10000000), qint64(9));
    // The average reaches back only the window's length.
    meter.addSample(2000, 2000000);
    meter.addSample(10000, 2000000);
    QCOMPARE(meter.speed(), 0.0);
    // Fewer bytes than before (a restart) starts afresh.
    meter.addSample(11000, 10);
    QCOMPARE(meter.speed(), 0.0);
    meter.addSample(12000, 510);
    QCOMPARE(meter.speed(), 500.0);
}

void TestLibraryRules::transferTexts_data()
{
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("unknown total") << qint64(512) << qint64(0) << "512 B";
    QTest::newRow("megabytes") << qint64(12300000) << qint64(209715200) << "12.3 MB of 209.7 MB";
    QTest::newRow("gigabytes") << qint64(1500000000) << qint64(2000000000) << "1.50 GB of 2.00 GB";
}

void TestLibraryRules::transferTexts()
{
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QTEST(TransferMeter::bytesText(done, total), "bytes");
    QCOMPARE(TransferMeter::timeLeftText(65), QStringLiteral("1:05 left"));
    QCOMPARE(TransferMeter::timeLeftText(3723), QStringLiteral("1:02:03 left"));
    QCOMPARE(TransferMeter::timeLeftText(-1), QString());
    QCOMPARE(TransferMeter::speedText(1500000), QStringLiteral("1.5 MB/s"));
}

void TestLibraryRules::reportAnswer_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message");
    using Outcome = DownloadReport::Answer::Outcome;
    QTest::newRow("recorded") << R"({"result_code":0})" << int(Outcome::Recorded) << "";
    QTest::newRow("recorded, message ignored") << R"({"result_code":"0","message":"ok"})" << int(Outcome::Recorded)
                                               << "";
    QTest::newRow("refused with words") << R"({"result_code":3,"message":"No such video."})"
                                        << int(Outcome::Refused) << "No such video.";
    QTest::newRow("refused without words") << R"({"result_code":3})" << int(Outcome::Refused) << "";
    QTest::newRow("message not text") << R"({"result_code":3,"message":{"a":1}})" << int(Outcome::Refused) << "";
    QTest::newRow("message over lines") << "{\"result_code\":3,\"message\":\"one\\n\\ntwo\"}"
                                        << int(Outcome::Refused) << "one two";
    QTest::newRow("runaway message") << QStringLiteral(R"({"result_code":3,"message":"%1"})").arg(QString(5000, u'x'))
                                     << int(Outcome::Refused) << QString(197, u'x') + QStringLiteral("...");
    QTest::newRow("no result_code") << R"({"message":"hi"})" << int(Outcome::Unreadable) << "";
    QTest::newRow("not JSON") << "<html>502</html>" << int(Outcome::Unreadable) << "";
    QTest::newRow("array") << R"([{"result_code":0}])" << int(Outcome::Unreadable) << "";
    QTest::newRow("empty") << "" << int(Outcome::Unreadable) << "";
}

// What the download window hears from the service once a video is on disk.
void TestLibraryRules::reportAnswer()
{
    QFETCH(QString, reply);
    QFETCH(int, outcome);
    QFETCH(QString, message);
    const DownloadReport::Answer answer = DownloadReport::readAnswer(reply);
    QCOMPARE(int(answer.outcome), outcome);
    QCOMPARE(answer.message, message);
}

void TestLibraryRules::programRemoval_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("asked");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("two files") << R"({"result_code":0,"product_id":"202","programs":[{"uri1":"/d/.a.mp4"},{"uri1":"/d/.b.mp4"}]})"
                               << 202 << true << QStringList{"/d/.a.mp4", "/d/.b.mp4"};
    QTest::newRow("nothing downloaded") << R"({"result_code":0,"product_id":"202","programs":[]})" << 202 << true
                                        << QStringList{};
    QTest::newRow("id as number") << R"({"result_code":0,"product_id":202})" << 202 << true << QStringList{};
    QTest::newRow("empty and odd entries skipped")
        << R"({"result_code":0,"product_id":" 7 ","programs":[{"uri1":""},{"uri1":"  "},3,"x",{"uri1":null},{"uri1":"/d/.c.mp4"}]})"
        << 7 << true << QStringList{"/d/.c.mp4"};
    QTest::newRow("programs not a list") << R"({"result_code":0,"product_id":"7","programs":{"uri1":"/d/.c.mp4"}})"
                                         << 7 << true << QStringList{};
    // An answer about another program must not delete its videos nor cancel it.
    QTest::newRow("another program") << R"({"result_code":0,"product_id":"203","programs":[{"uri1":"/d/.a.mp4"}]})"
                                     << 202 << false << QStringList{};
    QTest::newRow("several programs") << R"({"result_code":0,"product_id":"202_203"})" << 202 << false
                                      << QStringList{};
    QTest::newRow("nothing asked") << R"({"result_code":0,"product_id":"0"})" << 0 << false << QStringList{};
    QTest::newRow("no product id") << R"({"result_code":0,"programs":[{"uri1":"/d/.a.mp4"}]})" << 202 << false
                                   << QStringList{};
    QTest::newRow("refused") << R"({"result_code":2,"product_id":"202","programs":[{"uri1":"/d/.a.mp4"}]})" << 202
                             << false << QStringList{};
    QTest::newRow("no result_code") << R"({"product_id":"202"})" << 202 << false << QStringList{};
    QTest::newRow("not JSON") << "oops" << 202 << false << QStringList{};
}

void TestLibraryRules::programRemoval()
{
    QFETCH(QString, reply);
    QFETCH(int, asked);
    QFETCH(bool, ok);
    QFETCH(QStringList, files);
    const StoreReplies::ProgramRemoval removal = StoreReplies::parseProgramRemoval(reply, asked);
    QCOMPARE(removal.ok, ok);
    QCOMPARE(removal.productId, ok ? QString::number(asked) : QString());
    QCOMPARE(removal.files, files);
}

QTEST_MAIN(TestLibraryRules)
#include "tst_libraryrules.moc"
