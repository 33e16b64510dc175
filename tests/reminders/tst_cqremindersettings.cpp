#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "reminders/autostart.h"
#include "reminders/cqremindersettings.h"
#include "reminders/remindercentre.h"
#include "reminders/reminderschedule.h"
#include "testenvironment.h"
#include "tracker/dayclock.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

class TestCqReminderSettings final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void choicesAreKept();
    void offeredOnceInTheFirstWeek_data();
    void offeredOnceInTheFirstWeek();

private:
    QTemporaryDir m_config;
};

void TestCqReminderSettings::initTestCase()
{
    TestEnvironment::isolate();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestCqReminderSettings::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("settings@olva.test");
}

void TestCqReminderSettings::choicesAreKept()
{
    {
        CqReminderSettings section;
        for (QWidget* control : section.findChildren<QAbstractButton*>())
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        for (QWidget* control : section.findChildren<QAbstractSpinBox*>())
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        auto* lunch = section.findChild<QCheckBox*>(QStringLiteral("chkReminder_lunch"));
        auto* lunchTime = section.findChild<QTimeEdit*>(QStringLiteral("timeReminder_lunch"));
        QVERIFY(!lunch->isChecked() && !lunchTime->isEnabled()); // off until turned on
        lunch->setChecked(true);
        QVERIFY(lunchTime->isEnabled());
        lunchTime->setTime(QTime(11, 45));
        section.findChild<QCheckBox*>(QStringLiteral("chkStartWithSession"))->setChecked(true);
        QVERIFY(Autostart::isEnabled());
    }
    const ReminderSettings kept = ReminderSettings::load();
    QVERIFY(kept.enabled[ReminderKind::Lunch] && !kept.enabled[ReminderKind::Dinner]);
    QCOMPARE(kept.time[ReminderKind::Lunch], QTime(11, 45));

    CqReminderSettings again;
    QVERIFY(again.findChild<QCheckBox*>(QStringLiteral("chkReminder_lunch"))->isChecked());
    auto* session = again.findChild<QCheckBox*>(QStringLiteral("chkStartWithSession"));
    QVERIFY(session->isChecked());
    session->setChecked(false);
    QVERIFY(!Autostart::isEnabled());
}

void TestCqReminderSettings::offeredOnceInTheFirstWeek_data()
{
    QTest::addColumn<int>("firstSeenDaysAgo"); // -1: never seen
    QTest::addColumn<bool>("offered");
    QTest::newRow("first visit") << -1 << true;
    QTest::newRow("sixth day") << 6 << true;
    QTest::newRow("after the first week") << 7 << false;
}

void TestCqReminderSettings::offeredOnceInTheFirstWeek()
{
    QFETCH(int, firstSeenDaysAgo);
    QFETCH(bool, offered);
    if (firstSeenDaysAgo >= 0)
        SettingsStore::setMemberText(QStringLiteral("reminder_firstseen"),
                                     DayClock::today().addDays(-firstSeenDaysAgo).toString(Qt::ISODate));
    QWidget home;
    const auto offers = [&] { return home.findChildren<QMessageBox*>().size(); };
    ReminderCentre::offerOnce(&home);
    QCOMPARE(offers(), offered ? 1 : 0);
    ReminderCentre::offerOnce(&home); // never twice
    QCOMPARE(offers(), offered ? 1 : 0);
}

QTEST_MAIN(TestCqReminderSettings)
#include "tst_cqremindersettings.moc"
