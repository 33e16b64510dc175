#include "app/accountstate.h"
#include "reminders/autostart.h"
#include "reminders/reminderschedule.h"
#include "testenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestReminders final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void due_data();
    void due();
    void settingsStayPerMember();
    void autostartWrittenAndRemoved();
};

void TestReminders::initTestCase()
{
    TestEnvironment::isolate();
}

using Ids = QList<int>;

void TestReminders::due_data()
{
    QTest::addColumn<Ids>("on");
    QTest::addColumn<QString>("now"); // local "yyyy-MM-dd HH:mm"
    QTest::addColumn<QString>("given"); // "id=yyyy-MM-dd,..."
    QTest::addColumn<bool>("lunchEmpty");
    QTest::addColumn<bool>("weighed");
    QTest::addColumn<Ids>("expected");

    const int B = ReminderKind::Breakfast, L = ReminderKind::Lunch, D = ReminderKind::Dinner,
              W = ReminderKind::WeighIn;
    const Ids all{B, L, D, W};
    QTest::newRow("all off") << Ids{} << "2026-03-02 12:45" << "" << true << false << Ids{};
    QTest::newRow("before its time") << Ids{L} << "2026-03-02 12:29" << "" << true << false << Ids{};
    QTest::newRow("at its time") << Ids{L} << "2026-03-02 12:30" << "" << true << false << Ids{L};
    QTest::newRow("lunch logged") << Ids{L} << "2026-03-02 12:31" << "" << false << false << Ids{};
    QTest::newRow("already given today")
        << Ids{L} << "2026-03-02 13:00" << "1=2026-03-02" << true << false << Ids{};
    QTest::newRow("given yesterday: again after midnight")
        << Ids{L} << "2026-03-03 12:30" << "1=2026-03-02" << true << false << Ids{L};
    QTest::newRow("clock put back a day: not twice")
        << Ids{L} << "2026-03-02 12:40" << "1=2026-03-03" << true << false << Ids{};
    QTest::newRow("clock that was years ahead does not silence it")
        << Ids{L} << "2026-03-02 12:40" << "1=2031-01-01" << true << false << Ids{L};
    QTest::newRow("too late to be of use")
        << Ids{L} << "2026-03-02 15:30" << "" << true << false << Ids{};
    QTest::newRow("weigh-in without a weight")
        << Ids{W} << "2026-03-02 07:45" << "" << true << false << Ids{W};
    QTest::newRow("weigh-in: already weighed")
        << Ids{W} << "2026-03-02 07:45" << "" << true << true << Ids{};
    QTest::newRow("only meals still empty")
        << all << "2026-03-02 20:00" << "" << false << false << Ids{D};
    QTest::newRow("all due at once after the morning")
        << Ids{B, W} << "2026-03-02 09:00" << "" << true << false << Ids{B, W};
}

void TestReminders::due()
{
    QFETCH(Ids, on);
    QFETCH(QString, now);
    QFETCH(QString, given);
    QFETCH(bool, lunchEmpty);
    QFETCH(bool, weighed);
    QFETCH(Ids, expected);

    ReminderSettings settings;
    for (int id : on)
        settings.enabled[id] = true;
    QHash<int, QDate> lastGiven;
    for (const QString& part : given.split(u',', Qt::SkipEmptyParts)) {
        const QStringList pair = part.split(u'=');
        lastGiven.insert(pair[0].toInt(), QDate::fromString(pair[1], Qt::ISODate));
    }
    ReminderSchedule::Facts facts;
    // Breakfast and dinner are empty, except in the evening when only
    // dinner is: the meal index decides.
    facts.mealIsEmpty = [&](int meal) { return meal == 2 ? lunchEmpty : meal == 4 || lunchEmpty; };
    facts.todayHasWeight = [&] { return weighed; };
    const QDateTime when = QDateTime::fromString(now, QStringLiteral("yyyy-MM-dd HH:mm"));
    QCOMPARE(ReminderSchedule::due(when, settings, facts, [&](int id) { return lastGiven.value(id); }),
             expected);
}

void TestReminders::settingsStayPerMember()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("early@olva.test");
    QVERIFY(!ReminderSettings::load().anyOn()); // off until turned on
    ReminderSettings settings;
    settings.enabled[ReminderKind::Lunch] = true;
    settings.time[ReminderKind::Lunch] = QTime(11, 15);
    settings.save();
    ReminderSchedule::setGiven(ReminderKind::Lunch, QDate(2026, 3, 2));

    currentEmail = QStringLiteral("late@olva.test");
    QVERIFY(!ReminderSettings::load().anyOn());
    QVERIFY(!ReminderSchedule::lastGiven(ReminderKind::Lunch).isValid());

    currentEmail = QStringLiteral("early@olva.test");
    const ReminderSettings back = ReminderSettings::load();
    QVERIFY(back.enabled[ReminderKind::Lunch]);
    QCOMPARE(back.time[ReminderKind::Lunch], QTime(11, 15));
    QCOMPARE(ReminderSchedule::lastGiven(ReminderKind::Lunch), QDate(2026, 3, 2));
}

void TestReminders::autostartWrittenAndRemoved()
{
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString path = config.path() + QStringLiteral("/autostart/com.olvaweightloss.OlvaApp.desktop");
    QCOMPARE(Autostart::entryPath(), path);
    QVERIFY(!Autostart::isEnabled());

    QVERIFY(Autostart::enable(QStringLiteral("/opt/My Apps/OlvaApp")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY2(text.contains(QStringLiteral("\nExec=\"/opt/My Apps/OlvaApp\" --minimized\n")),
             qPrintable(text));
    QVERIFY(Autostart::isEnabled());

    QVERIFY(Autostart::disable());
    QVERIFY(!QFile::exists(path));
    QVERIFY(Autostart::disable()); // nothing left to remove is fine
    qputenv("XDG_CONFIG_HOME", saved);
}

QTEST_GUILESS_MAIN(TestReminders)
#include "tst_reminders.moc"
