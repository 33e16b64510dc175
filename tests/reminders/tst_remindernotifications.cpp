#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "reminders/desktopnotifier.h"
#include "reminders/reminderschedule.h"
#include "reminders/reminderservice.h"
#include "testenvironment.h"
#include "tracker/dayclock.h"
#include "tracker/daystore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

// The desktop's notification service, on the test's private session bus: it
// keeps what it is asked to show and can click a notification.
class FakeNotifications final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown
    {
        uint id;
        QString summary;
        QStringList actions;
    };
    QList<Shown> shown;

    explicit FakeNotifications(QDBusConnection bus)
        : m_bus(bus)
    {
    }

    void emitSignal(const QString& name, const QVariantList& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), name);
        signal.setArguments(arguments);
        m_bus.send(signal);
    }

public slots:
    uint Notify(const QString& /*app*/, uint /*replaces*/, const QString& /*icon*/,
                const QString& summary, const QString& /*body*/, const QStringList& actions,
                const QVariantMap& /*hints*/, int /*timeout*/)
    {
        shown.append({m_nextId, summary, actions});
        return m_nextId++;
    }

private:
    QDBusConnection m_bus;
    uint m_nextId = 7;
};

class TestReminderNotifications final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void notificationsAtMovedTimes_data();
    void notificationsAtMovedTimes();
    void clickOpensTheRightWindow();

private:
    // Sends a last notification and waits for it: everything before it has
    // arrived too, so "nothing else came" can be told without waiting.
    QStringList receivedAfterRoundTrip(DesktopNotifier& notifier);

    FakeNotifications* m_fake = nullptr;
};

void TestReminderNotifications::initTestCase()
{
    TestEnvironment::isolate();
    if (!QDBusConnection::sessionBus().isConnected())
        QSKIP("No session bus: run under dbus-run-session.");
    // The service on a connection of its own, as another program would be.
    QDBusConnection serviceBus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
    m_fake = new FakeNotifications(serviceBus);
    QVERIFY(serviceBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), m_fake,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(serviceBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
}

QStringList TestReminderNotifications::receivedAfterRoundTrip(DesktopNotifier& notifier)
{
    notifier.notify(QStringLiteral("end"), QString(), QString());
    if (!QTest::qWaitFor([&] { return !m_fake->shown.isEmpty()
                                      && m_fake->shown.last().summary == u"end"; }))
        return {QStringLiteral("the notification service was never reached")};
    QStringList summaries;
    for (const FakeNotifications::Shown& shown : std::as_const(m_fake->shown))
        summaries.append(shown.summary);
    summaries.removeLast();
    return summaries;
}

void TestReminderNotifications::notificationsAtMovedTimes_data()
{
    QTest::addColumn<QList<int>>("on");
    QTest::addColumn<QStringList>("times");     // local "yyyy-MM-dd HH:mm", checked in turn
    QTest::addColumn<QString>("storeDay");      // the day store's date
    QTest::addColumn<QList<int>>("loggedMeals"); // meals with food on that day
    QTest::addColumn<bool>("weighed");
    QTest::addColumn<QStringList>("expected");

    const int B = ReminderKind::Breakfast, L = ReminderKind::Lunch, W = ReminderKind::WeighIn;
    const QString lunch = QStringLiteral("Log your lunch");
    QTest::newRow("empty lunch at its time")
        << QList<int>{L} << QStringList{"2026-03-02 12:30"} << "2026-03-02" << QList<int>{}
        << false << QStringList{lunch};
    QTest::newRow("lunch already logged")
        << QList<int>{L} << QStringList{"2026-03-02 12:30"} << "2026-03-02" << QList<int>{2}
        << false << QStringList{};
    QTest::newRow("yesterday's lunch does not count")
        << QList<int>{L} << QStringList{"2026-03-02 12:30"} << "2026-03-01" << QList<int>{2}
        << false << QStringList{lunch};
    QTest::newRow("once a day, again after midnight")
        << QList<int>{L}
        << QStringList{"2026-03-02 12:31", "2026-03-02 12:45", "2026-03-03 12:30"}
        << "2026-03-01" << QList<int>{} << false << QStringList{lunch, lunch};
    QTest::newRow("clock put back an hour: not twice")
        << QList<int>{L} << QStringList{"2026-03-02 13:40", "2026-03-02 12:40"} << "2026-03-02"
        << QList<int>{} << false << QStringList{lunch};
    QTest::newRow("breakfast logged, weigh-in due")
        << QList<int>{B, W} << QStringList{"2026-03-02 08:45"} << "2026-03-02" << QList<int>{0}
        << false << QStringList{"Weigh in"};
    QTest::newRow("a day already weighed")
        << QList<int>{W} << QStringList{"2026-03-02 07:45"} << "2026-03-02" << QList<int>{}
        << true << QStringList{};
    QTest::newRow("turned off: nothing")
        << QList<int>{} << QStringList{"2026-03-02 12:30"} << "2026-03-02" << QList<int>{}
        << false << QStringList{};
}

void TestReminderNotifications::notificationsAtMovedTimes()
{
    QFETCH(QList<int>, on);
    QFETCH(QStringList, times);
    QFETCH(QString, storeDay);
    QFETCH(QList<int>, loggedMeals);
    QFETCH(bool, weighed);
    QFETCH(QStringList, expected);

    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("remind@olva.test");
    ReminderSettings settings;
    for (int id : on)
        settings.enabled[id] = true;
    settings.save();
    SettingsStore::setMemberText(DayClock::storeDateKey(), storeDay);
    for (int meal : loggedMeals)
        SettingsStore::setMemberInt(DayKeys::mealCalories(meal), 420);
    m_fake->shown.clear();

    DesktopNotifier notifier;
    ReminderService service(&notifier);
    service.setTodayHasWeight([weighed] { return weighed; });
    for (const QString& time : times) {
        service.setNowForTesting(QDateTime::fromString(time, QStringLiteral("yyyy-MM-dd HH:mm")));
        service.check();
    }
    QCOMPARE(receivedAfterRoundTrip(notifier), expected);
}

void TestReminderNotifications::clickOpensTheRightWindow()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("click@olva.test");
    m_fake->shown.clear();
    DesktopNotifier notifier;
    QSignalSpy opened(&notifier, &DesktopNotifier::activated);
    notifier.notify(QStringLiteral("Log your dinner"), QString(), ReminderService::trackerTarget(4));
    notifier.notify(QStringLiteral("Weigh in"), QString(), ReminderService::weightTarget());
    QTRY_COMPARE(notifier.openCount(), 2);
    QCOMPARE(m_fake->shown[0].actions.value(0), QStringLiteral("default"));

    // Another program's notification, another action, then ours clicked.
    m_fake->emitSignal(QStringLiteral("ActionInvoked"), {uint(999), QStringLiteral("default")});
    m_fake->emitSignal(QStringLiteral("ActionInvoked"), {m_fake->shown[1].id, QStringLiteral("snooze")});
    m_fake->emitSignal(QStringLiteral("ActionInvoked"), {m_fake->shown[1].id, QStringLiteral("default")});
    QVERIFY(opened.wait());
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened[0][0].toString(), QStringLiteral("weight"));

    m_fake->emitSignal(QStringLiteral("NotificationClosed"), {m_fake->shown[0].id, uint(2)});
    QTRY_COMPARE(notifier.openCount(), 1);
    m_fake->emitSignal(QStringLiteral("ActionInvoked"), {m_fake->shown[0].id, QStringLiteral("default")});
    m_fake->emitSignal(QStringLiteral("ActionInvoked"), {m_fake->shown[1].id, QStringLiteral("default")});
    QTRY_COMPARE(opened.size(), 2);
    QCOMPARE(opened[1][0].toString(), QStringLiteral("weight")); // the closed one opens nothing
}

QTEST_GUILESS_MAIN(TestReminderNotifications)
#include "tst_remindernotifications.moc"
