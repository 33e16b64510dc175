#include "exercise/exercisestore.h"
#include "tracker/cqwndtracker.h"
#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/daypayload.h"
#include "tracker/daystore.h"
#include "tracker/dayupload.h"
#include "tracker/dayuploadqueue.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/foodtablemodel.h"
#include "tracker/meals.h"

#include "app/accountstate.h"
#include "main/cqwndhistory.h"
#include "main/cqwndhistorydetails.h"
#include "main/mainwindow.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialraisedbutton.h"

#include "demosession.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTcpServer>
#include <QTest>
#include <QTimeZone>

// The member's days against olva-server's demo data: a tracked day closes
// when the date moves on, reaches the history with its foods, and a day
// that closed while the service was away goes once it answers.
class TestDayDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void yesterdayIsInTheHistory();
    void aDayClosedOfflineIsSentOnce();
    void theDemoMonthAddsUpAsTheServiceChecks();

private:
    // Marks row `row` of the first category by the cup and saves; returns
    // the food's title and cup calories.
    QPair<QString, int> trackCup(int meal, int row);
    QWidget* activeWindow() const
    {
        return m_main->findChild<QMdiArea*>()->activeSubWindow()->widget();
    }
    int historyDays(const QDate& date);

    DemoSession m_demo;
    MainWindow* m_main = nullptr;
    QString m_category;
};

void TestDayDemo::initTestCase()
{
    TestEnvironment::isolate();
    // Figures as plain digits, whatever the machine's language groups them by.
    QLocale::setDefault(QLocale::c());
    QVERIFY(m_demo.start());
    QVERIFY(m_demo.signInQuick());
    // No friends reminder over the walk.
    currentCheckDay = QDate::currentDate().addYears(1).toString(QStringLiteral("yyyy-MM-dd"));
    m_main = m_demo.showMainWindow();
    QVERIFY(m_demo.server().signIn(DemoSession::email(), DemoSession::password()));
}

void TestDayDemo::cleanupTestCase()
{
    DayClock::setTodayForTesting({});
}

QPair<QString, int> TestDayDemo::trackCup(int meal, int row)
{
    CqWndTracker window(meal);
    window.resize(1400, 900);
    window.show();
    const auto entry = [&window]() -> MyWidget* {
        for (MyWidget* widget : window.findChildren<MyWidget*>()) {
            if (widget->property("categoryEntry").toBool())
                return widget;
        }
        return nullptr;
    };
    if (!QTest::qWaitFor([&] { return entry() != nullptr; }, 15000))
        return {};
    QTest::mouseClick(window.findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory")),
                      Qt::LeftButton);
    QTest::mouseClick(entry(), Qt::LeftButton);
    const FoodModel* category =
        window.catalogue().category(entry()->property("categoryId").toInt());
    m_category = category->title;
    auto* table = window.findChild<QTableView*>(QStringLiteral("tblDetail"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(row, FoodTableModel::Cup)).center());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    return {category->items.at(row)->title, int(category->items.at(row)->cal)};
}

int TestDayDemo::historyDays(const QDate& date)
{
    int count = 0;
    const QJsonArray days =
        m_demo.server()
            .post(QStringLiteral("getHistory"), {{QStringLiteral("email"), DemoSession::email()}})
            .value(QStringLiteral("history_info"))
            .toArray();
    for (const QJsonValue& day : days) {
        const qint64 ms = day[QStringLiteral("date")].toString().toLongLong();
        count += QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).date() == date ? 1 : 0;
    }
    return count;
}

void TestDayDemo::yesterdayIsInTheHistory()
{
    const QDate today = QDate::currentDate();
    DayClock::setTodayForTesting(today);
    m_main->startDay();
    DayStore::setDailyTarget(1800);
    const auto [breakfastFood, breakfast] = trackCup(0, 0);
    const auto [lunchFood, lunch] = trackCup(2, 1);
    QVERIFY(!breakfastFood.isEmpty() && !lunchFood.isEmpty());
    QCOMPARE(DayStore::mealCaloriesSum(), breakfast + lunch);
    // 30 minutes of brisk walking at 80 kg, half of it counted.
    const ExerciseEntry walk{QStringLiteral("17200"), QStringLiteral("Walking, brisk"), 30, 172};
    ExerciseStore::setShare(ExerciseCalories::Share::Half);
    QVERIFY(ExerciseStore::add(today, walk));
    {
        CqWndTracker tracker(0);
        QCOMPARE(tracker.findChild<QLabel*>(QStringLiteral("lblExercise"))->text(),
                 QStringLiteral("172"));
        QCOMPARE(tracker.findChild<QLabel*>(QStringLiteral("lblRemainingWithExercise"))->text(),
                 QString::number(1800 - breakfast - lunch + 86));
    }
    // The member looks at the history during the day: the list kept from
    // then must not hide the day once it is sent.
    m_main->showHistory();
    auto* earlier = qobject_cast<CqWndHistory*>(activeWindow());
    QVERIFY(earlier);
    QTRY_VERIFY_WITH_TIMEOUT(!earlier->records().empty(), 15000);

    // The next morning the program starts.
    DayClock::setTodayForTesting(today.addDays(1));
    m_main->startDay();
    QCOMPARE(DayStore::mealCaloriesSum(), 0);
    QCOMPARE(DayStore::remainingCalories(), 1800);
    QCOMPARE(ExerciseStore::burned(today.addDays(1)), 0);
    QCOMPARE(DayArchive::day(today)->exercise, QList<ExerciseEntry>{walk});
    QTRY_VERIFY_WITH_TIMEOUT(DayUploadQueue::dates().isEmpty(), 15000);

    m_main->showHistory();
    auto* history = qobject_cast<CqWndHistory*>(activeWindow());
    QVERIFY(history);
    QTRY_VERIFY_WITH_TIMEOUT(!history->records().empty(), 15000);
    HistoryModel* day = nullptr;
    for (const auto& record : history->records()) {
        if (HistoryModel::dayOf(record->date) == today)
            day = record.get();
    }
    QVERIFY(day);
    QCOMPARE(day->total, QString::number(breakfast + lunch));
    QCOMPARE(day->remain, QString::number(1800 - breakfast - lunch));
    QCOMPARE(day->grade, QStringLiteral("0")); // two meals
    QCOMPARE(day->exercise, QStringLiteral("172"));

    m_main->showHistoryDetails(day);
    auto* details = qobject_cast<CqWndHistoryDetails*>(activeWindow());
    QVERIFY(details);
    QCOMPARE(details->findChild<QLabel*>(QStringLiteral("lblTotal"))->text(),
             QString::number(breakfast + lunch));
    QCOMPARE(details->findChild<QLabel*>(QStringLiteral("lblLunchScore"))->text(),
             QString::number(lunch));
    details->findChild<QPushButton*>(QStringLiteral("btnCategory"))->click();
    QTest::mouseClick(details->findChild<MyWidget*>(QStringLiteral("widgetCategoryLunch")),
                      Qt::LeftButton);
    QTableWidget* foods = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((foods = details->findChild<QTableWidget*>()) != nullptr, 15000);
    const QList<QPushButton*> groups =
        details->findChildren<QPushButton*>(QRegularExpression(QStringLiteral("^group_lunch_")));
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups.first()->text(), m_category);
    QCOMPARE(foods->rowCount(), 1);
    QCOMPARE(foods->item(0, 0)->text(), lunchFood);
    QCOMPARE(foods->item(0, 1)->text(), QString::number(lunch, 'f', 1));
    const QLabel* exercise = details->findChild<QLabel*>(QStringLiteral("lblExercise"));
    QVERIFY(exercise && exercise->isVisibleTo(details));
    QVERIFY2(exercise->text().contains(QStringLiteral("Walking, brisk: 30 minutes")),
             qPrintable(exercise->text()));
}

void TestDayDemo::aDayClosedOfflineIsSentOnce()
{
    const QDate day = QDate::currentDate().addDays(1);
    DayClock::setTodayForTesting(day);
    m_main->startDay();
    trackCup(4, 0);
    const QByteArray host = qgetenv("OLVA_API_HOST");
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 deadPort = closed.serverPort();
    closed.close();
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(deadPort).toLatin1());

    auto* upload = m_main->findChild<DayUpload*>();
    QSignalSpy failed(upload, &DayUpload::sendFailed);
    DayClock::setTodayForTesting(day.addDays(1));
    m_main->startDay();
    QVERIFY(failed.wait(15000));
    QCOMPARE(DayUploadQueue::dates(), QList<QDate>{day});

    // The service is back; the next start sends the day, and only once.
    qputenv("OLVA_API_HOST", host);
    m_main->startDay();
    QTRY_VERIFY_WITH_TIMEOUT(DayUploadQueue::dates().isEmpty(), 15000);
    m_main->startDay();
    QTRY_VERIFY(!upload->isBusy());
    QCOMPARE(historyDays(day), 1);
}

void TestDayDemo::theDemoMonthAddsUpAsTheServiceChecks()
{
    // Each demo day as the tracker would have closed it: its foods chosen
    // by their typed calories (portions give tenths), the meals counting
    // the whole calories of each; sent back, every one is stored.
    ServerFixture& server = m_demo.server();
    const QJsonObject list = server.post(QStringLiteral("getFoodList"),
                                         {{QStringLiteral("user_id"), currentUserId}});
    FoodCatalogue catalogue;
    QCOMPARE(catalogue.load(QString::fromUtf8(QJsonDocument(list).toJson())),
             FoodCatalogue::Status::Loaded);
    QHash<QString, qint32> ids; // of categories and "category/food" by title
    for (const FoodModel* category : catalogue.categories()) {
        ids.insert(category->title, category->id);
        for (const FoodItemModel* food : category->items)
            ids.insert(category->title + '/' + food->title, food->id);
    }

    static const QStringList mealTypes = {"breakfast", "firstsnack", "lunch",
                                          "secondsnack", "dinner", "thirdsnack"};
    const QJsonArray days = server.post(QStringLiteral("getHistory"),
                                        {{QStringLiteral("email"), DemoSession::email()}})
                                .value(QStringLiteral("history_info"))
                                .toArray();
    QVERIFY(days.size() >= 28);
    int stored = 0;
    for (const QJsonValue& value : days) {
        ArchivedDay day;
        day.date = HistoryModel::dayOf(value[QStringLiteral("date")].toString().toLongLong());
        day.target = value[QStringLiteral("total")].toString().toInt() +
                     value[QStringLiteral("remain")].toString().toInt();
        int eaten = 0;
        for (int meal = 0; meal < 6; ++meal) {
            const QJsonArray groups =
                server
                    .post(QStringLiteral("getHistoryDetail"),
                          {{QStringLiteral("history_id"), value[QStringLiteral("id")].toString()},
                           {QStringLiteral("meal_type"), mealTypes.at(meal)}})
                    .value(QStringLiteral("historydetail_info"))
                    .toArray();
            int mealCalories = 0;
            for (const QJsonValue& group : groups) {
                const QString category = group["food_type"].toString();
                QList<MealEntry> entries;
                for (const QJsonValue& food : group["categories"].toArray()) {
                    const qint32 id = ids.value(category + '/' + food["title"].toString());
                    QVERIFY(id != 0);
                    const float calories = food["cal"].toString().toFloat();
                    entries.append(MealEntry::make(id, calories, FoodQuantity::other));
                    mealCalories += int(calories);
                }
                day.values.insert(DayKeys::mealRecord(meal, ids.value(category)),
                                  DayStore::formatEntries(entries));
            }
            day.values.insert(DayKeys::mealCalories(meal), QString::number(mealCalories));
            eaten += mealCalories;
        }
        day.remaining = day.target - eaten;
        const QJsonObject reply = server.post(
            QStringLiteral("uploadDay"),
            {{QStringLiteral("email"), DemoSession::email()},
             {QStringLiteral("day"),
              QString::fromUtf8(QJsonDocument(DayPayload::build(day, catalogue)).toJson())}});
        QVERIFY2(reply.value(QStringLiteral("result_code")).toInt(-1) == 0,
                 qPrintable(day.date.toString(Qt::ISODate) + QLatin1Char(' ') +
                            reply.value(QStringLiteral("message")).toString()));
        ++stored;
    }
    QCOMPARE(stored, days.size());

    // Days whose stored totals stray from their foods: a typed 72.9 counted
    // as 72, and a meal a removal after midnight left at -150.
    const FoodItemModel* food = catalogue.categories().first()->items.first();
    const qint32 categoryId = catalogue.categories().firstKey();
    for (const auto& [record, mealTotal, remaining] :
         {std::tuple{QStringLiteral("%1:72.9:2"), QStringLiteral("72"), 1728},
          std::tuple{QStringLiteral("%1:150:2"), QStringLiteral("-150"), 1950}}) {
        ArchivedDay day;
        day.date = QDate::currentDate().addDays(-40 - stored++);
        day.target = 1800;
        day.remaining = remaining;
        day.values = {{QStringLiteral("meal_0_%1").arg(categoryId), record.arg(food->id)},
                      {DayKeys::mealCalories(0), mealTotal}};
        const QJsonObject payload = DayPayload::build(day, catalogue);
        const QJsonObject reply = server.post(
            QStringLiteral("uploadDay"),
            {{QStringLiteral("email"), DemoSession::email()},
             {QStringLiteral("day"), QString::fromUtf8(QJsonDocument(payload).toJson())}});
        QVERIFY2(reply.value(QStringLiteral("result_code")).toInt(-1) == 0,
                 qPrintable(reply.value(QStringLiteral("message")).toString()));
        QCOMPARE(payload[QStringLiteral("remaining")].toInt(),
                 1800 - payload[QStringLiteral("eaten")].toInt());
    }
}

QTEST_MAIN(TestDayDemo)
#include "tst_daydemo.moc"
