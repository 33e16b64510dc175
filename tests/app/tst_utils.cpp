#include "app/accountstate.h"
#include "app/pictureloader.h"
#include "app/screenbackground.h"
#include "app/settingsstore.h"
#include "app/utils.h"
#include "fakeserver.h"
#include "testimages.h"
#include "testenvironment.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

QByteArray pngBytes(QColor colour)
{
    return TestImages::png(QSize(8, 8), colour);
}

// A saved background of one colour for screen `key`.
void storeBackground(int key, QColor colour)
{
    const QString path = Utils::backgroundFilePath(key);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(64, 36, QImage::Format_RGB32);
    picture.fill(colour);
    picture.save(path);
    backgroundTable.insert(key, BackgroundEntry{QString(), path, true});
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
    void backgroundStaysOutOfChildren_data();
    void backgroundStaysOutOfChildren();
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
    QCOMPARE(ScreenBackground::sourceOf(&widget), QString());
}

void TestUtils::backgroundWithEmptyUrlIsDefault()
{
    backgroundTable.insert(2, BackgroundEntry{});
    QWidget widget;
    Utils::instance()->setBackground(&widget, 2);
    QCOMPARE(ScreenBackground::sourceOf(&widget), QStringLiteral(":/main/assets/background.png"));
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
    QTRY_COMPARE(ScreenBackground::sourceOf(&first), path);
    QVERIFY(backgroundTable.value(1).stored);
    QCOMPARE(backgroundTable.value(1).localPath, path);
    QCOMPARE(QImage(path).pixelColor(0, 0), QColor(Qt::red));

    QWidget second;
    Utils::instance()->setBackground(&second, 1);
    QCOMPARE(ScreenBackground::sourceOf(&second), path);
    QCOMPARE(m_fake->requestCount(QStringLiteral("/bg/one.png")), 1);
}

void TestUtils::backgroundFetchFailureLeavesWidget_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("404") << 404;
    QTest::newRow("500") << 500;
    QTest::newRow("not a picture") << 200;
}

void TestUtils::backgroundFetchFailureLeavesWidget()
{
    QFETCH(int, status);
    m_fake->enqueue(QStringLiteral("/bg/broken.png"), status == 200 ? FakeServer::Reply::json("<html>")
                                                                    : FakeServer::Reply::error(status));
    backgroundTable.insert(3, BackgroundEntry{m_fake->url(QStringLiteral("/bg/broken.png")).toString(), {}, false});
    QWidget widget;
    widget.setStyleSheet(QStringLiteral("color: red"));
    QSignalSpy ended(PictureLoader::instance(), &PictureLoader::fetchEnded);
    Utils::instance()->setBackground(&widget, 3);
    QVERIFY(ended.wait());
    QCOMPARE(widget.styleSheet(), QStringLiteral("color: red"));
    QCOMPARE(ScreenBackground::sourceOf(&widget), QString());
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

void TestUtils::backgroundStaysOutOfChildren_data()
{
    QTest::addColumn<QString>("child");
    QTest::newRow("label") << QStringLiteral("QLabel");
    QTest::newRow("button") << QStringLiteral("QPushButton");
    QTest::newRow("line edit") << QStringLiteral("QLineEdit");
}

void TestUtils::backgroundStaysOutOfChildren()
{
    QFETCH(QString, child);
    storeBackground(5, Qt::red);
    storeBackground(6, Qt::magenta);
    const QString formSheet = QStringLiteral("QLabel, QPushButton, QLineEdit { color: rgb(0, 200, 0); }");
    QWidget panel;
    panel.setStyleSheet(formSheet);
    auto* layout = new QVBoxLayout(&panel);
    layout->setContentsMargins(40, 40, 40, 40);
    QWidget* inside = nullptr;
    if (child == QLatin1String("QLabel"))
        inside = new QLabel("Cart");
    else if (child == QLatin1String("QPushButton"))
        inside = new QPushButton("PAY");
    else
        inside = new QLineEdit("4242");
    layout->addWidget(inside);
    panel.resize(300, 160);
    // Applied twice, as a window that asks again does: the second replaces the first.
    Utils::instance()->setBackground(&panel, 5);
    Utils::instance()->setBackground(&panel, 6);

    QCOMPARE(panel.styleSheet(), formSheet);
    QCOMPARE(ScreenBackground::sourceOf(&panel), Utils::backgroundFilePath(6));
    QCOMPARE(panel.grab().toImage().pixelColor(5, 5), QColor(Qt::magenta));
    const QImage own = inside->grab().toImage();
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x) {
            const QColor pixel = own.pixelColor(x, y);
            QVERIFY2(pixel != QColor(Qt::magenta) && pixel != QColor(Qt::red),
                     qPrintable(QStringLiteral("background inside the %1 at %2,%3").arg(child).arg(x).arg(y)));
        }
    }
    QCOMPARE(inside->palette().color(inside->foregroundRole()), QColor(0, 200, 0));
}

void TestUtils::deviceTokenIsStable()
{
    const QString token = Utils::instance()->deviceToken();
    QVERIFY(!token.isEmpty());
    QCOMPARE(Utils::instance()->deviceToken(), token);
}

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
