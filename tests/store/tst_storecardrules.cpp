#include "store/productitem.h"
#include "store/storecardrules.h"

#include <QTest>

// One row per card state: what the member sees on each of the four buttons.
// A button cell is "-" when hidden, else its text, with a leading "*" for the
// blue purchased look.
class TestStoreCardRules : public QObject
{
    Q_OBJECT

private slots:
    void buttons_data();
    void buttons();
    void purchaseFlags_data();
    void purchaseFlags();
    void buyAgain_data();
    void buyAgain();
};

namespace {

QString show(const StoreCardRules::Button& button)
{
    if (!button.visible)
        return QStringLiteral("-");
    return (button.purchasedLook ? QStringLiteral("*") : QString()) + button.text;
}

} // namespace

void TestStoreCardRules::buttons_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("ebook2");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("ebookprice");
    QTest::addColumn<QString>("uri1");
    QTest::addColumn<QString>("download");
    QTest::addColumn<QString>("buy");
    QTest::addColumn<QString>("buyEbook");
    QTest::addColumn<QString>("program");

    // Not owned.
    QTest::newRow("video for sale") << 0 << "WORKOUT" << "no" << "0,0" << 9.99 << 0.0 << ""
                                    << "-" << "BUY - $9.99" << "-" << "-";
    QTest::newRow("free video") << 0 << "WORKOUT" << "" << "0,0" << 0.0 << 0.0 << ""
                                << "-" << "FREE" << "-" << "-";
    QTest::newRow("product with ebook") << 5 << "NUTRITION" << "no" << "0,0" << 24.99 << 7.99 << ""
                                        << "-" << "BUY - $24.99" << "BUY Ebook - $7.99" << "-";
    QTest::newRow("million price written out") << 5 << "NUTRITION" << "no" << "0,0" << 1234567.0 << 0.0 << ""
                                               << "-" << "BUY - $1234567" << "-" << "-";
    QTest::newRow("cents as money") << 5 << "NUTRITION" << "no" << "0,0" << 19.5 << 7.5 << ""
                                    << "-" << "BUY - $19.50" << "BUY Ebook - $7.50" << "-";
    // Owned single videos: download until downloaded.
    QTest::newRow("owned video, not downloaded") << 0 << "WORKOUT" << "yes" << "0,1" << 9.99 << 0.0 << ""
                                                 << "DOWNLOAD NOW!" << "BUY - $9.99" << "-" << "-";
    QTest::newRow("owned video, downloaded") << 0 << "WORKOUT" << "yes" << "0,1" << 9.99 << 0.0 << "/d/v.mp4"
                                             << "-" << "BUY - $9.99" << "-" << "-";
    QTest::newRow("owned nutrition video") << 6 << "NUTRITION_VIDEO" << "yes" << "0,0" << 5.0 << 0.0 << ""
                                           << "DOWNLOAD NOW!" << "*PURCHASED" << "-" << "-";
    QTest::newRow("owned coaching video") << 11 << "COACHING_VIDEO" << "yes" << "0" << 5.0 << 0.0 << ""
                                          << "DOWNLOAD NOW!" << "*PURCHASED" << "-" << "-";
    // Programs show their videos instead of a download.
    QTest::newRow("owned program") << 1 << "PROGRAM" << "yes" << "0,0" << 49.99 << 0.0 << ""
                                   << "-" << "*PURCHASED" << "-" << "PROGRAM VIDEOS!";
    QTest::newRow("owned program with uri1") << 1 << "PROGRAM" << "yes" << "0,0" << 49.99 << 0.0 << "/d/p"
                                             << "-" << "*PURCHASED" << "-" << "PROGRAM VIDEOS!";
    // The e-book states of a physical product: "ebook owned,product owned".
    QTest::newRow("ebook 0,0") << 5 << "NUTRITION" << "yes" << "0,0" << 24.99 << 7.99 << ""
                               << "-" << "*PURCHASED" << "BUY Ebook - $7.99" << "-";
    QTest::newRow("ebook 1,0") << 5 << "NUTRITION" << "yes" << "1,0" << 24.99 << 7.99 << ""
                               << "-" << "*PURCHASED" << "*PURCHASED - VIEW EBOOK" << "-";
    QTest::newRow("ebook 0,1") << 5 << "NUTRITION" << "yes" << "0,1" << 24.99 << 7.99 << ""
                               << "-" << "BUY - $24.99" << "BUY Ebook - $7.99" << "-";
    QTest::newRow("ebook 1,1") << 10 << "COACHING" << "yes" << "1,1" << 19.99 << 4.99 << ""
                               << "-" << "BUY - $19.99" << "*PURCHASED - VIEW EBOOK" << "-";
    QTest::newRow("single flag 0") << 5 << "NUTRITION" << "yes" << "0" << 24.99 << 7.99 << ""
                                   << "-" << "*PURCHASED" << "BUY Ebook - $7.99" << "-";
    QTest::newRow("single flag 1") << 5 << "NUTRITION" << "yes" << "1" << 24.99 << 7.99 << ""
                                   << "-" << "BUY - $24.99" << "*PURCHASED - VIEW EBOOK" << "-";
    QTest::newRow("free ebook stays hidden") << 5 << "NUTRITION" << "yes" << "1,0" << 24.99 << 0.0 << ""
                                             << "-" << "*PURCHASED" << "-" << "-";
    QTest::newRow("flags without ownership") << 5 << "NUTRITION" << "no" << "1,0" << 24.99 << 7.99 << ""
                                             << "-" << "BUY - $24.99" << "BUY Ebook - $7.99" << "-";
    // Program videos opened from the store.
    QTest::newRow("program video, not owned") << 15 << "WORKOUT" << "no" << "0,0" << 0.0 << 0.0 << ""
                                              << "DOWNLOAD NOW!" << "-" << "-" << "-";
    QTest::newRow("program video, downloaded") << 15 << "WORKOUT" << "no" << "0,0" << 0.0 << 0.0 << "/d/p.mp4"
                                               << "*DOWNLOADED" << "-" << "-" << "-";
    QTest::newRow("program video, owned") << 15 << "WORKOUT" << "yes" << "0,0" << 0.0 << 0.0 << ""
                                          << "DOWNLOAD NOW!" << "-" << "-" << "-";
    // Library cards carry none of the four.
    QTest::newRow("library") << 3 << "WORKOUT" << "yes" << "0,1" << 9.99 << 0.0 << ""
                             << "-" << "-" << "-" << "-";
    QTest::newRow("library of program videos") << 16 << "WORKOUT" << "no" << "0,0" << 0.0 << 0.0 << ""
                                               << "-" << "-" << "-" << "-";
}

void TestStoreCardRules::buttons()
{
    QFETCH(int, kind);
    ProductItem item;
    QFETCH(QString, type);
    QFETCH(QString, status);
    QFETCH(QString, ebook2);
    QFETCH(double, price);
    QFETCH(double, ebookprice);
    QFETCH(QString, uri1);
    item.type = type;
    item.status = status;
    item.ebook2 = ebook2;
    item.price = price;
    item.ebookprice = ebookprice;
    item.uri1 = uri1;
    const StoreCardRules::Card card = StoreCardRules::decide(item, kind);
    QTEST(show(card.download), "download");
    QTEST(show(card.buy), "buy");
    QTEST(show(card.buyEbook), "buyEbook");
    QTEST(show(card.program), "program");
    QCOMPARE(card.ebookOpensViewer, card.buyEbook.text == QLatin1String("PURCHASED - VIEW EBOOK"));
}

void TestStoreCardRules::purchaseFlags_data()
{
    QTest::addColumn<QString>("ebook2");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("two") << "1,0" << "1" << "0";
    QTest::newRow("three parts") << "0,1,1" << "0" << "1";
    QTest::newRow("one") << "1" << "1" << "1";
    QTest::newRow("empty") << "" << "" << "";
}

void TestStoreCardRules::purchaseFlags()
{
    QFETCH(QString, ebook2);
    const auto flags = StoreCardRules::purchaseFlags(ebook2);
    QTEST(flags.ebookOwned, "first");
    QTEST(flags.productOwned, "second");
}

void TestStoreCardRules::buyAgain_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("not owned video") << 0 << "no" << true;
    QTest::newRow("owned workout video") << 0 << "yes" << false;
    QTest::newRow("owned program") << 1 << "yes" << false;
    QTest::newRow("owned nutrition product") << 5 << "yes" << true;
    QTest::newRow("owned nutrition video") << 6 << "yes" << false;
    QTest::newRow("owned coaching product") << 10 << "yes" << true;
    QTest::newRow("owned, from search") << 7 << "yes" << false;
}

void TestStoreCardRules::buyAgain()
{
    QFETCH(int, kind);
    QFETCH(QString, status);
    ProductItem item;
    item.status = status;
    QTEST(StoreCardRules::canBuyAgain(item, kind), "allowed");
}

QTEST_GUILESS_MAIN(TestStoreCardRules)
#include "tst_storecardrules.moc"
