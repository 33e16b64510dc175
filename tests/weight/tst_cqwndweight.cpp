#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "servicefault.h"
#include "testenvironment.h"
#include "tracker/dayclock.h"
#include "weight/cqwndweight.h"
#include "weight/weightlog.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(ServiceFault::Kind)

// Saving a weight while the service fails in each way: the weighing shows
// and is kept, the busy overlay ends, the member is told, and the window
// still takes the next weighing.
class TestCqWndWeight final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void savingSurvivesEveryFault_data();
    void savingSurvivesEveryFault();
    void unitsAndHover();
    void deletingAsksFirst();
    void dateFollowsTheDay_data();
    void dateFollowsTheDay();
    void typedNumbersInTheLanguage_data();
    void typedNumbersInTheLanguage();

private:
    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
    QStringList m_told;
    int m_member = 0;
};

void TestCqWndWeight::initTestCase()
{
    qputenv("OLVA_REPLY_TIMEOUT_MS", "800");
    qputenv("OLVA_TRANSFER_TIMEOUT_MS", "1500");
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    // No retry of its own while a row watches.
    WeightLog::setFirstRetryDelayMs(10 * 60 * 1000);
    loadingWindow = new CqWndLoading;
    m_main = std::make_unique<MainWindow>();
    connect(m_main->messageBar(), &QtMaterialSnackbar::messageShown, this,
            [this](const QString& text) { m_told.append(text); });

    const QByteArray yesterday = QDate::currentDate().addDays(-1).toString(Qt::ISODate).toLatin1();
    m_server.setDefaultReply(QStringLiteral("/api/getWeights"),
                             FakeServer::Reply::json(R"({"result_code":0,"weights":[{"date":")" +
                                                     yesterday + R"(","weight_kg":"82.0"}]})"));
    m_server.setDefaultReply(
        QStringLiteral("/api/getWeightProfile"),
        FakeServer::Reply::json(R"({"result_code":0,"goal_kg":"75.0","height_cm":""})"));
    m_server.setDefaultReply(QStringLiteral("/api/setWeight"),
                             FakeServer::Reply::json(R"({"result_code":0})"));
    m_server.setDefaultReply(QStringLiteral("/api/setWeightProfile"),
                             FakeServer::Reply::json(R"({"result_code":0})"));
}

void TestCqWndWeight::cleanup()
{
    ServiceFault::lift(m_server);
    TestEnvironment::closeModals();
    m_told.clear();
    DayClock::setTodayForTesting(QDate());
    QLocale::setDefault(QLocale::c());
}

void TestCqWndWeight::savingSurvivesEveryFault_data()
{
    QTest::addColumn<ServiceFault::Kind>("fault");
    QTest::addColumn<QString>("told"); // empty: any message
    QTest::addColumn<int>("kept");     // weighings listed afterwards

    const QString unreachable = WeightLog::unreachableText();
    for (ServiceFault::Kind fault : ServiceFault::all()) {
        const bool plain =
            fault != ServiceFault::Kind::UnexpectedCode && fault != ServiceFault::Kind::CutShort;
        QTest::addRow("%s", qPrintable(ServiceFault::name(fault)))
            << fault << (plain ? unreachable : QString()) << 2;
    }
    // The service's refusal is told in the client's words, and the day goes back to its list.
    QTest::addRow("refusal") << ServiceFault::Kind(-1) << "A weight must be between 20 and 500 kg."
                             << 1;
}

void TestCqWndWeight::savingSurvivesEveryFault()
{
    QFETCH(ServiceFault::Kind, fault);
    QFETCH(QString, told);
    QFETCH(int, kept);

    // A member of their own: nothing queued by an earlier row.
    currentEmail = QStringLiteral("weigher%1@olva.test").arg(++m_member);
    auto window = std::make_unique<CqWndWeight>();
    window->resize(1100, 760);
    window->show();
    auto* list = window->findChild<QTableView*>(QStringLiteral("tblWeights"));
    QTRY_VERIFY(list->model()->rowCount() == 1 && !loadingWindow->isLoading());

    if (fault == ServiceFault::Kind(-1))
        m_server.enqueueJson(QStringLiteral("setWeight"),
                             R"({"result_code":2,"message":"Out of range"})");
    else
        ServiceFault::apply(fault, m_server);
    auto* weight = window->findChild<QLineEdit*>(QStringLiteral("edtWeight"));
    QTest::keyClicks(weight, QStringLiteral("81.0"));
    QTest::keyClick(weight, Qt::Key_Return);
    // Shown at once, whatever the service does with it.
    QCOMPARE(list->model()->rowCount(), 2);

    QTRY_VERIFY(!m_told.isEmpty());
    if (!told.isEmpty())
        QCOMPARE(m_told.constFirst(), told);
    QTRY_VERIFY(!window->log()->isBusy());
    QVERIFY(!loadingWindow->isLoading());
    QTRY_COMPARE(list->model()->rowCount(), kept);
    QCOMPARE(window->log()->pendingCount(), kept - 1);

    // Still usable: the next weighing goes in like the first.
    QVERIFY(window->findChild<QPushButton*>(QStringLiteral("btnSave"))->isEnabled());
    window->findChild<QDateEdit*>()->setDate(QDate::currentDate().addDays(-3));
    QTest::keyClicks(weight, QStringLiteral("83.5"));
    QTest::keyClick(weight, Qt::Key_Return);
    QCOMPARE(list->model()->rowCount(), kept + 1);
}

void TestCqWndWeight::unitsAndHover()
{
    currentEmail = QStringLiteral("weigher%1@olva.test").arg(++m_member);
    auto window = std::make_unique<CqWndWeight>();
    window->resize(1100, 760);
    window->show();
    WeightChartView* chart = window->chart();
    QTRY_VERIFY(chart->weighingSeries()->count() == 1 && !loadingWindow->isLoading());
    const QString day =
        QLocale(QLocale::English).toString(QDate::currentDate().addDays(-1), "d MMMM yyyy");

    // Pointing at the weighing tells its day and weight; beside it, nothing.
    const QPoint at = chart->positionOf(chart->weighingSeries()->at(0));
    QCOMPARE(chart->textAt(at + QPoint(3, -2)), day + ": 82.0 kg");
    QCOMPARE(chart->textAt(at + QPoint(30, 30)), QString());
    QTest::mouseMove(chart->viewport(), at);
    QTRY_COMPARE(QToolTip::text(), day + ": 82.0 kg");

    // Switching converts what is typed and what is shown, and back without drift.
    auto* weight = window->findChild<QLineEdit*>(QStringLiteral("edtWeight"));
    QTest::keyClicks(weight, QStringLiteral("80.0"));
    window->findChild<QPushButton*>(QStringLiteral("btnLb"))->click();
    QCOMPARE(weight->text(), QStringLiteral("176.4"));
    QCOMPARE(chart->textAt(chart->positionOf(chart->weighingSeries()->at(0))), day + ": 180.8 lb");
    QCOMPARE(WeightUnits::memberUnit(), WeightUnit::Pounds);
    window->findChild<QPushButton*>(QStringLiteral("btnKg"))->click();
    QCOMPARE(weight->text(), QStringLiteral("80.0"));
}

void TestCqWndWeight::deletingAsksFirst()
{
    currentEmail = QStringLiteral("weigher%1@olva.test").arg(++m_member);
    m_server.setDefaultReply(QStringLiteral("/api/removeWeight"),
                             FakeServer::Reply::json(R"({"result_code":0})"));
    auto window = std::make_unique<CqWndWeight>();
    window->show();
    auto* list = window->findChild<QTableView*>(QStringLiteral("tblWeights"));
    QTRY_VERIFY(list->model()->rowCount() == 1 && !loadingWindow->isLoading());
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));

    // No, then Yes: only the second removes the day, and tells the service.
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString asked;
        QTimer::singleShot(0, this, [&asked, answer] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            asked = box->text();
            box->button(answer)->click();
        });
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(asked.startsWith(QLatin1String("Delete the weight of ")) &&
                asked.endsWith(QLatin1String("(82.0 kg)?")));
        QCOMPARE(list->model()->rowCount(), answer == QMessageBox::No ? 1 : 0);
    }
    QVERIFY(m_server.waitForRequests(QStringLiteral("/api/removeWeight"), 1));
    QTRY_COMPARE(window->log()->pendingCount(), 0);
}

void TestCqWndWeight::dateFollowsTheDay_data()
{
    QTest::addColumn<QString>("noticed"); // how the window learns of the new day
    QTest::addColumn<bool>("chosen");     // the member had picked another day

    for (const char* noticed : {"shown again", "midnight", "saving"}) {
        QTest::addRow("%s, on today", noticed) << noticed << false;
        QTest::addRow("%s, a day chosen", noticed) << noticed << true;
    }
}

void TestCqWndWeight::dateFollowsTheDay()
{
    QFETCH(QString, noticed);
    QFETCH(bool, chosen);
    const QDate day(2026, 3, 10); // far from the real clock and the fake service's list
    const QDate picked = day.addDays(-3);
    DayClock::setTodayForTesting(day);
    currentEmail = QStringLiteral("weigher%1@olva.test").arg(++m_member);
    auto window = std::make_unique<CqWndWeight>();
    window->show();
    QTRY_VERIFY(!loadingWindow->isLoading());
    auto* date = window->findChild<QDateEdit*>(QStringLiteral("dteDate"));
    QCOMPARE(date->date(), day);
    if (chosen)
        date->setDate(picked);

    // The window is kept for the run; the clock passes midnight.
    DayClock::setTodayForTesting(day.addDays(1));
    if (noticed == u"shown again") {
        window->hide();
        window->show();
    } else if (noticed == u"midnight") {
        auto* midnight = window->findChild<QTimer*>(QStringLiteral("midnight"));
        QVERIFY(midnight && midnight->isActive());
        QVERIFY(QMetaObject::invokeMethod(midnight, "timeout"));
    }
    if (noticed != u"saving") {
        QCOMPARE(date->date(), chosen ? picked : day.addDays(1));
        QCOMPARE(date->maximumDate(), day.addDays(2));
    }
    auto* weight = window->findChild<QLineEdit*>(QStringLiteral("edtWeight"));
    QTest::keyClicks(weight, QStringLiteral("81.0"));
    QTest::keyClick(weight, Qt::Key_Return);
    const QList<WeightEntry> entries = window->log()->entries();
    QVERIFY(std::any_of(entries.cbegin(), entries.cend(), [&](const WeightEntry& entry) {
        return entry.date == (chosen ? picked : day.addDays(1)) && entry.kg == 81.0;
    }));
    QVERIFY(std::none_of(entries.cbegin(), entries.cend(),
                         [&](const WeightEntry& entry) { return entry.date == day; }));
    // Today can always be chosen again.
    QCOMPARE(date->date(), day.addDays(1));
    QCOMPARE(date->maximumDate(), day.addDays(2));
}

void TestCqWndWeight::typedNumbersInTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");  // empty: refused with a message, nothing sent
    QTest::addColumn<QString>("shown"); // the weighing in the list, for edtWeight

    QTest::newRow("Spanish comma") << "es_ES"
                                   << "edtWeight"
                                   << "81,4"
                                   << "81.4"
                                   << "81,4 kg";
    QTest::newRow("Spanish, a point") << "es_ES"
                                      << "edtWeight"
                                      << "81.4"
                                      << "81.4"
                                      << "81,4 kg";
    QTest::newRow("English") << "en_US"
                             << "edtWeight"
                             << "81.4"
                             << "81.4"
                             << "81.4 kg";
    QTest::newRow("Mexican point") << "es_MX"
                                   << "edtWeight"
                                   << "81.4"
                                   << "81.4"
                                   << "81.4 kg";
    QTest::newRow("Spanish goal") << "es_ES"
                                  << "edtGoal"
                                  << "75,5"
                                  << "75.5"
                                  << "";
    QTest::newRow("Spanish height") << "es_ES"
                                    << "edtHeight"
                                    << "172,4"
                                    << "172.0"
                                    << "";
    QTest::newRow("two decimal signs") << "es_ES"
                                       << "edtWeight"
                                       << "81,4,5"
                                       << ""
                                       << "";
    QTest::newRow("words") << "es_ES"
                           << "edtWeight"
                           << "ochenta"
                           << ""
                           << "";
    QTest::newRow("grouped thousands") << "en_US"
                                       << "edtWeight"
                                       << "1,081.4"
                                       << ""
                                       << "";
    QTest::newRow("height in metres") << "es_ES"
                                      << "edtHeight"
                                      << "1,72"
                                      << ""
                                      << "";
}

// What the member types in their language's form reaches the service, and the
// weights file, in the fixed one.
void TestCqWndWeight::typedNumbersInTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    currentEmail = QStringLiteral("weigher%1@olva.test").arg(++m_member);
    auto window = std::make_unique<CqWndWeight>();
    window->show();
    QTRY_VERIFY(!loadingWindow->isLoading() && !window->log()->isBusy());
    const bool profile = field != u"edtWeight";
    const QString path =
        profile ? QStringLiteral("/api/setWeightProfile") : QStringLiteral("/api/setWeight");
    const int before = m_server.requestCount(path);

    auto* edit = window->findChild<QLineEdit*>(field);
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    if (sent.isEmpty()) {
        QTRY_COMPARE(m_told.size(), 1);
        QCOMPARE(window->log()->pendingCount(), 0);
        QCOMPARE(m_server.requestCount(path), before);
        return;
    }
    QVERIFY(m_server.waitForRequests(path, before + 1));
    const FakeServer::Request request = m_server.lastRequest(path);
    const QString key = field == u"edtWeight" ? QStringLiteral("weight_kg")
                        : field == u"edtGoal" ? QStringLiteral("goal_kg")
                                              : QStringLiteral("height_cm");
    QCOMPARE(request.field(key), sent);
    if (shown.isEmpty())
        return;
    auto* list = window->findChild<QTableView*>(QStringLiteral("tblWeights"));
    QCOMPARE(list->model()->index(0, 1).data().toString(), shown);
    // The file keeps its fixed form whatever the language.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("weights.csv"));
    QVERIFY(window->exportTo(file));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY2(written.readAll().contains(QByteArray("," + sent.toLatin1() + ",kg\n")),
             qPrintable(locale));
}

QTEST_MAIN(TestCqWndWeight)
#include "tst_cqwndweight.moc"
