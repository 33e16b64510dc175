#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "app/utils.h"
#include "fakeserver.h"
#include "testimages.h"
#include "testenvironment.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWidget>

namespace {

QByteArray pngBytes(QColor colour)
{
    return TestImages::png(QSize(8, 8), colour);
}

QString styleFor(const QString& path)
{
    return QStringLiteral("border-image: url(%1)").arg(path);
}

} // namespace

class TestUtils : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void credentialsGoToTheirStores();
    void loadTotalCaloriesWithoutValue();
    void caloriesRoundTrip();
    void memberValueNeverWrittenIsEmpty();
    void switchingEmailSwitchesMemberStore();

    void backgroundWithoutEntryKeepsStyle();
    void backgroundWithEmptyUrlIsDefault();
    void backgroundFetchedOnceThenReused();
    void backgroundFetchFailureLeavesWidget_data();
    void backgroundFetchFailureLeavesWidget();
    void backgroundForClosedWindowIsNotApplied();
    void deviceTokenIsStable();

private:
    FakeServer* m_fake = nullptr;
};

void TestUtils::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QVERIFY(m_fake->isListening());
}

void TestUtils::init()
{
    TestEnvironment::resetAccount();
    m_fake->clear();
    for (int key = 0; key < 8; ++key)
        QFile::remove(Utils::backgroundFilePath(key));
}

void TestUtils::credentialsGoToTheirStores()
{
    Utils* utils = Utils::instance();
    currentEmail = QStringLiteral("eve@example.com");
    currentPassword = QStringLiteral("p&ss word");
    currentUserId = QStringLiteral("41");
    utils->saveEmail();
    utils->savePassword();
    utils->saveUserId();

    AccountState::reset();
    QCOMPARE(utils->loadEmail(), QStringLiteral("eve@example.com"));
    QCOMPARE(currentEmail, QStringLiteral("eve@example.com"));
    // The password went to the secret store (none answers here), not to a
    // settings file.
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("password")));
    QCOMPARE(utils->loadUserId(), QStringLiteral("41"));
    QCOMPARE(currentUserId, QStringLiteral("41"));
}

void TestUtils::loadTotalCaloriesWithoutValue()
{
    currentEmail = QStringLiteral("fresh@example.com");
    totalCalories = 1234;
    QCOMPARE(Utils::instance()->loadTotalCalories(), 0);
    QCOMPARE(totalCalories, 0);
    remainCalories = 55;
    QCOMPARE(Utils::instance()->loadRemainCalories(), 0);
    QCOMPARE(remainCalories, 0);
}

void TestUtils::caloriesRoundTrip()
{
    currentEmail = QStringLiteral("gail@example.com");
    totalCalories = 2100;
    remainCalories = -150;
    Utils::instance()->saveTotalCalories();
    Utils::instance()->saveRemainCalories();
    totalCalories = remainCalories = 0;
    QCOMPARE(Utils::instance()->loadTotalCalories(), 2100);
    QCOMPARE(Utils::instance()->loadRemainCalories(), -150);
}

void TestUtils::memberValueNeverWrittenIsEmpty()
{
    currentEmail = QStringLiteral("hal@example.com");
    QVERIFY(Utils::instance()->memberValue(QStringLiteral("meal_0_1")).isEmpty());
}

void TestUtils::switchingEmailSwitchesMemberStore()
{
    Utils* utils = Utils::instance();
    currentEmail = QStringLiteral("ivy@example.com");
    utils->setMemberValue(QStringLiteral("Cal_0"), QStringLiteral("420"));
    currentEmail = QStringLiteral("jon@example.com");
    QCOMPARE(utils->memberValue(QStringLiteral("Cal_0")), QString());
    utils->setMemberValue(QStringLiteral("Cal_0"), QStringLiteral("99"));
    currentEmail = QStringLiteral("ivy@example.com");
    QCOMPARE(utils->memberValue(QStringLiteral("Cal_0")), QStringLiteral("420"));
}

void TestUtils::backgroundWithoutEntryKeepsStyle()
{
    QWidget widget;
    widget.setStyleSheet(QStringLiteral("background: teal"));
    Utils::instance()->setBackground(&widget, 7);
    QCOMPARE(widget.styleSheet(), QStringLiteral("background: teal"));
}

void TestUtils::backgroundWithEmptyUrlIsDefault()
{
    backgroundTable.insert(2, BackgroundEntry{});
    QWidget widget;
    Utils::instance()->setBackground(&widget, 2);
    QCOMPARE(widget.styleSheet(), styleFor(QStringLiteral(":/main/assets/background.png")));
    QCOMPARE(m_fake->requests().size(), 0);
}

void TestUtils::backgroundFetchedOnceThenReused()
{
    m_fake->serveFile(QStringLiteral("/bg/one.png"), pngBytes(Qt::red));
    backgroundTable.insert(1, BackgroundEntry{m_fake->url(QStringLiteral("/bg/one.png")).toString(), {}, false});

    QWidget first;
    Utils::instance()->setBackground(&first, 1);
    const QString path = Utils::backgroundFilePath(1);
    QVERIFY(path.endsWith(QStringLiteral("/1background.png")));
    QTRY_COMPARE(first.styleSheet(), styleFor(path));
    QVERIFY(backgroundTable.value(1).stored);
    QCOMPARE(backgroundTable.value(1).localPath, path);
    QCOMPARE(QImage(path).pixelColor(0, 0), QColor(Qt::red));

    QWidget second;
    Utils::instance()->setBackground(&second, 1);
    QCOMPARE(second.styleSheet(), styleFor(path));
    QCOMPARE(m_fake->requestCount(QStringLiteral("/bg/one.png")), 1);
}

void TestUtils::backgroundFetchFailureLeavesWidget_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("404") << 404;
    QTest::newRow("500") << 500;
}

void TestUtils::backgroundFetchFailureLeavesWidget()
{
    QFETCH(int, status);
    m_fake->enqueue(QStringLiteral("/bg/broken.png"), FakeServer::Reply::error(status));
    backgroundTable.insert(3, BackgroundEntry{m_fake->url(QStringLiteral("/bg/broken.png")).toString(), {}, false});
    QWidget widget;
    widget.setStyleSheet(QStringLiteral("color: red"));
    Utils::instance()->setBackground(&widget, 3);
    QVERIFY(m_fake->waitForRequests(QStringLiteral("/bg/broken.png"), 1));
    QTest::qWait(100);
    QCOMPARE(widget.styleSheet(), QStringLiteral("color: red"));
    QVERIFY(!backgroundTable.value(3).stored);
}

void TestUtils::backgroundForClosedWindowIsNotApplied()
{
    FakeServer::Reply slow = FakeServer::Reply::json(pngBytes(Qt::blue), 200);
    m_fake->enqueue(QStringLiteral("/bg/slow.png"), slow);
    backgroundTable.insert(4, BackgroundEntry{m_fake->url(QStringLiteral("/bg/slow.png")).toString(), {}, false});
    auto* widget = new QWidget;
    Utils::instance()->setBackground(widget, 4);
    delete widget; // the window closes before the picture arrives
    QTRY_VERIFY(backgroundTable.value(4).stored);
    QCOMPARE(backgroundTable.value(4).localPath, Utils::backgroundFilePath(4));
}

void TestUtils::deviceTokenIsStable()
{
    const QString token = Utils::instance()->deviceToken();
    QVERIFY(!token.isEmpty());
    QCOMPARE(Utils::instance()->deviceToken(), token);
}

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
