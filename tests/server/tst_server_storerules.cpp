#include "server/store/storecardcheck.h"
#include "server/store/storecommon.h"

#include "testenvironment.h"

#include <QtTest>

// The store's text rules without a server: money texts, the amount the
// client computes, id lists and card expiry at the month boundary.
class TstServerStoreRules final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void amountMatches_data();
    void amountMatches();
    void moneyText_data();
    void moneyText();
    void idLists_data();
    void idLists();
    void deviceItemIds_data();
    void deviceItemIds();
    void expiryAtYearEnd();
};

void TstServerStoreRules::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerStoreRules::amountMatches_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<bool>("matches");

    QTest::newRow("exact") << "19.99" << qint64(1999) << true;
    QTest::newRow("whole dollars") << "20" << qint64(2000) << true;
    QTest::newRow("one decimal") << "15.5" << qint64(1550) << true;
    QTest::newRow("over a million, to the cent") << "1234567.89" << qint64(123456789) << true;
    QTest::newRow("six digits lose the cents") << "12345.7" << qint64(1234567) << false;
    QTest::newRow("exponent form") << "1.23457e+06" << qint64(123456789) << false;
    QTest::newRow("fraction of a cent") << "19.991" << qint64(1999) << false;
    QTest::newRow("one cent short") << "19.98" << qint64(1999) << false;
    QTest::newRow("free") << "0" << qint64(0) << true;
    QTest::newRow("negative") << "-19.99" << qint64(-1999) << false;
    QTest::newRow("not a number") << "abc" << qint64(1999) << false;
    QTest::newRow("empty") << "" << qint64(0) << false;
    QTest::newRow("infinite") << "inf" << qint64(1999) << false;
}

void TstServerStoreRules::amountMatches()
{
    QFETCH(QString, amount);
    QFETCH(qint64, cents);
    QFETCH(bool, matches);
    QCOMPARE(StoreCommon::amountMatches(amount, cents), matches);
}

void TstServerStoreRules::moneyText_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text");
    QTest::newRow("cents") << qint64(1999) << "19.99";
    QTest::newRow("whole") << qint64(2000) << "20";
    QTest::newRow("one decimal") << qint64(550) << "5.5";
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("large") << qint64(123456789) << "1234567.89";
}

void TstServerStoreRules::moneyText()
{
    QFETCH(qint64, cents);
    QFETCH(QString, text);
    QCOMPARE(StoreCommon::moneyText(cents), text);
}

void TstServerStoreRules::idLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("count");

    QTest::newRow("one") << "12" << true << 1;
    QTest::newRow("three") << "3_7_12" << true << 3;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("empty part") << "3__7" << false << 0;
    QTest::newRow("trailing separator") << "3_" << false << 0;
    QTest::newRow("zero id") << "0" << false << 0;
    QTest::newRow("repeated") << "3_3" << false << 0;
    QTest::newRow("sign") << "+3" << false << 0;
    QTest::newRow("too long a number") << "1234567890123456789012" << false << 0;
    QStringList many;
    for (int i = 1; i <= StoreCommon::MaxIdsPerList + 1; ++i)
        many.append(QString::number(i));
    QTest::newRow("too many") << many.join('_') << false << 0;
    many.removeLast();
    QTest::newRow("as many as allowed") << many.join('_') << true << StoreCommon::MaxIdsPerList;
}

void TstServerStoreRules::idLists()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, count);
    const auto ids = StoreCommon::parseIdList(text);
    QCOMPARE(ids.has_value(), valid);
    if (valid)
        QCOMPARE(int(ids->size()), count);
}

void TstServerStoreRules::deviceItemIds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QString>("platform");

    QTest::newRow("desktop") << "42_desktop" << true << qint64(42) << "desktop";
    QTest::newRow("bare id means desktop") << "42" << true << qint64(42) << "desktop";
    QTest::newRow("other platform") << "42_Android" << true << qint64(42) << "android";
    QTest::newRow("no id") << "_desktop" << false << qint64(0) << "";
    QTest::newRow("no platform after separator") << "42_" << false << qint64(0) << "";
    QTest::newRow("two separators") << "42_desktop_x" << false << qint64(0) << "";
    QTest::newRow("zero") << "0_desktop" << false << qint64(0) << "";
}

void TstServerStoreRules::deviceItemIds()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, id);
    QFETCH(QString, platform);
    const auto item = StoreCommon::parseDeviceItemId(text);
    QCOMPARE(item.has_value(), valid);
    if (valid) {
        QCOMPARE(item->id, id);
        QCOMPARE(item->platform, platform);
    }
}

void TstServerStoreRules::expiryAtYearEnd()
{
    using Verdict = StoreCardCheck::Verdict;
    const QDate newYear(2027, 1, 1);
    QCOMPARE(StoreCardCheck::check(QStringLiteral("4242424242424242"), QStringLiteral("2026-12"), QStringLiteral("123"), newYear),
             Verdict::Expired);
    QCOMPARE(StoreCardCheck::check(QStringLiteral("4242424242424242"), QStringLiteral("2027-01"), QStringLiteral("123"), newYear),
             Verdict::Approved);
    QCOMPARE(StoreCardCheck::lastFour(QStringLiteral("4242 4242 4242 1234")), QStringLiteral("1234"));
}

QTEST_MAIN(TstServerStoreRules)
#include "tst_server_storerules.moc"
