#include "app/accountstate.h"
#include "app/utils.h"
#include "fakeserver.h"
#include "servicefault.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "planner/cqdlgdailygrade.h"
#include "planner/cqdlgdailyscore.h"
#include "planner/cqdlgsample.h"
#include "planner/cqwndhome.h"
#include "planner/samplelists.h"
#include "testenvironment.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/daystore.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialflatbutton.h"

#include <QAccessible>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLocale>
#include <QtTest>

#include <memory>

namespace {

const QString samplePath = QStringLiteral("/api/getSampleList");

const QStringList sampleTables{"tb_samplebreakfast", "tb_samplefirstsnack", "tb_samplelunch",
                               "tb_samplesecondsnack", "tb_sampledinner", "tb_samplethirdsnack"};

// The day store as the tracker leaves it: meal calories, the target, the
// remaining calories (memory and store).
void storeDay(int target, const QList<int>& meals)
{
    Utils* utils = Utils::instance();
    int sum = 0;
    for (int meal = 0; meal < meals.size(); ++meal) {
        utils->setMemberValue(DayKeys::mealCalories(meal), QString::number(meals.at(meal)));
        sum += meals.at(meal);
    }
    totalCalories = target;
    utils->saveTotalCalories();
    remainCalories = target - sum;
    utils->saveRemainCalories();
}

QByteArray sampleReply(const QStringList& titles)
{
    QJsonArray list;
    for (const QString& title : titles)
        list.append(QJsonObject{{"title", title}});
    return QJsonDocument(QJsonObject{{"result_code", 0}, {"sample_list", list}}).toJson();
}

// What a screen reader announces for `figure`.
QString spoken(QWidget* figure)
{
    return QAccessible::queryAccessibleInterface(figure)->text(QAccessible::Name);
}

CqWndTotalCalories* openTargetWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<CqWndTotalCalories*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

class TestCqWndHome final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsShowTheDay_data();
    void rowsShowTheDay();
    void negativeScoreKeepsGrade();
    void firstUseAsksForTarget();
    void targetZeroRefreshDoesNothing();
    void mealRowOpensTracker_data();
    void mealRowOpensTracker();
    void scoreAndGradeDialogs();
    void samplesArriveOutOfOrder();
    void sampleFaults_data();
    void sampleFaults();
    void refreshAfterTrackerChange();
    void settingsButton();

private:
    CqWndHome* showHome();
    QtMaterialFlatButton* button(CqWndHome* home, const QString& name, int index) const;

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
    QList<int> m_trackers;
};

void TestCqWndHome::initTestCase()
{
    TestEnvironment::isolate();
    // Figures as plain digits, whatever the machine's language groups them by.
    QLocale::setDefault(QLocale::c());
    QVERIFY(m_server.isListening());
    loadingWindow = new CqWndLoading;
}

void TestCqWndHome::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("home@olva.test");
    m_server.clear();
    m_server.useAsApiHost();
    SampleLists::clear();
    for (int kind = 0; kind < SubWindowKind::Count; ++kind)
        SubWindowFactory::unregisterKind(kind);
    registerFeatureWindows();
    // The workout store opens on the main window's first paint; these tests
    // look at the planner's windows alone.
    SubWindowFactory::unregisterKind(SubWindowKind::StoreWorkout);
    m_trackers.clear();
    SubWindowFactory::registerKind(SubWindowKind::Tracker, [this] {
        m_trackers.append(MainWindow::instance()->trackerMeal());
        return new QWidget;
    });
    m_main = std::make_unique<MainWindow>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestCqWndHome::cleanup()
{
    TestEnvironment::closeModals();
    m_main.reset();
    while (CqWndTotalCalories* target = openTargetWindow()) {
        target->findChild<QLineEdit*>("edtTotal")->setText("1500");
        target->findChild<QPushButton*>("btnOk")->click();
        QApplication::processEvents();
    }
}

CqWndHome* TestCqWndHome::showHome()
{
    m_main->goHome(true);
    QMdiSubWindow* sub = m_main->findChild<QMdiArea*>()->activeSubWindow();
    return sub ? qobject_cast<CqWndHome*>(sub->widget()) : nullptr;
}

QtMaterialFlatButton* TestCqWndHome::button(CqWndHome* home, const QString& name, int index) const
{
    // The buttons of a row, in row order: title, value (the star and arrow
    // are icon buttons).
    QList<QtMaterialFlatButton*> found;
    for (QtMaterialFlatButton* candidate : home->findChildren<QtMaterialFlatButton*>(name))
        found.append(candidate);
    QWidget* row = home->findChild<MyWidget*>(name);
    std::sort(found.begin(), found.end(), [row](QWidget* a, QWidget* b) {
        return row->layout()->indexOf(a) < row->layout()->indexOf(b);
    });
    return found.value(index);
}

void TestCqWndHome::rowsShowTheDay_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<int>>("meals");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QList<bool>>("red");
    QTest::addColumn<QList<bool>>("stars");

    QTest::newRow("lunch 650 of 1500 is red")
        << 1500 << QList<int>{300, 150, 650, 150, 0, 0} << "83" << "D"
        << QList<bool>{false, false, true, false, false, false} << QList<bool>{true, true, false, true, false, false};
    QTest::newRow("breakfast exactly 0.4 stays white")
        << 1500 << QList<int>{600, 150, 450, 150, 150, 0} << "100" << "A"
        << QList<bool>{false, false, false, false, false, false}
        << QList<bool>{false, true, true, true, false, false};
    QTest::newRow("three meals grade 0")
        << 1500 << QList<int>{300, 0, 450, 0, 300, 0} << "70" << "0"
        << QList<bool>{false, false, false, false, false, false}
        << QList<bool>{true, false, true, false, true, false};
    QTest::newRow("123 remaining is C")
        << 1500 << QList<int>{300, 150, 450, 150, 300, 27} << "92" << "C"
        << QList<bool>{false, false, false, false, false, false}
        << QList<bool>{true, true, true, true, true, false};
}

void TestCqWndHome::rowsShowTheDay()
{
    QFETCH(int, target);
    QFETCH(QList<int>, meals);
    QFETCH(QString, score);
    QFETCH(QString, grade);
    QFETCH(QList<bool>, red);
    QFETCH(QList<bool>, stars);

    storeDay(target, meals);
    CqWndHome* home = showHome();
    QVERIFY(home);
    QVERIFY(!openTargetWindow());
    QCOMPARE(home->windowTitle(), "Meal Planner");

    auto* assigned = home->findChild<QLabel*>("lblTarget");
    auto* remaining = home->findChild<QLabel*>("lblRemaining");
    QCOMPARE(assigned->text(), QString::number(target));
    QCOMPARE(remaining->text(), QString::number(remainCalories));
    // Every figure is read out with its value, not only its caption.
    QCOMPARE(spoken(assigned), "Total assigned calories: " + QString::number(target));
    QCOMPARE(spoken(remaining), "Remaining daily calories: " + QString::number(remainCalories));

    const QStringList titles{"Total Breakfast Calories", "Total First Snack Calories", "Total Lunch Calories",
                             "Total Second Snack Calories", "Total Dinner Calories", "Total Third Snack Calories"};
    for (int meal = 0; meal < 6; ++meal) {
        const QString name = QStringLiteral("widget_%1").arg(meal);
        QtMaterialFlatButton* title = button(home, name, 0);
        QCOMPARE(title->text(), titles.at(meal));
        QCOMPARE(title->foregroundColor(), red.at(meal) ? CqWndHome::tooLargeColour() : QColor(Qt::white));
        QCOMPARE(button(home, name, 1)->text(), QString::number(meals.at(meal)));
        QCOMPARE(spoken(button(home, name, 1)), titles.at(meal) + ": " + QString::number(meals.at(meal)));
        QWidget* star = nullptr;
        for (QWidget* part : home->findChildren<QWidget*>(name)) {
            if (part->accessibleName().endsWith("within its share of the day"))
                star = part;
        }
        QVERIFY(star);
        QCOMPARE(!star->isHidden(), stars.at(meal));
    }
    QCOMPARE(button(home, "dailyscore", 1)->text(), score);
    QCOMPARE(button(home, "dailygrade", 1)->text(), grade);
    QCOMPARE(spoken(button(home, "dailyscore", 1)), "Daily Score: " + score);
    QCOMPARE(spoken(button(home, "dailygrade", 1)), "Daily Grade: " + grade);
}

void TestCqWndHome::negativeScoreKeepsGrade()
{
    storeDay(2000, {400, 200, 600, 200, 400, 200});
    CqWndHome* home = showHome();
    QCOMPARE(button(home, "dailygrade", 1)->text(), "A");

    storeDay(2000, {1000, 500, 1500, 500, 1000, 0}); // 4500 eaten
    showHome();
    QCOMPARE(button(home, "dailyscore", 1)->text(), "-25");
    QCOMPARE(button(home, "dailygrade", 1)->text(), "A");
}

void TestCqWndHome::firstUseAsksForTarget()
{
    Utils::instance()->setMemberValue(DayKeys::mealCalories(2), "450");
    CqWndHome* home = showHome();
    QVERIFY(home);
    CqWndTotalCalories* target = openTargetWindow();
    QVERIFY(target);
    QCOMPARE(target->findChild<QPushButton*>("btnOk")->text(), "SET");

    target->findChild<QLineEdit*>("edtTotal")->setText("1800");
    target->findChild<QPushButton*>("btnOk")->click();
    QTRY_VERIFY(!openTargetWindow());
    // The header follows at once; the rows wait for the next refresh.
    QCOMPARE(home->findChild<QLabel*>("lblTarget")->text(), "1800");
    QCOMPARE(home->findChild<QLabel*>("lblRemaining")->text(), "1350");
    QCOMPARE(spoken(home->findChild<QLabel*>("lblRemaining")), "Remaining daily calories: 1350");
    QCOMPARE(button(home, "widget_2", 1)->text(), "0");

    showHome(); // the home is kept and refreshed
    QCOMPARE(m_main->findChild<QMdiArea*>()->subWindowList().size(), 1);
    QCOMPARE(button(home, "widget_2", 1)->text(), "450");
    QVERIFY(!openTargetWindow()); // asked once per home
}

void TestCqWndHome::targetZeroRefreshDoesNothing()
{
    Utils::instance()->setMemberValue(DayKeys::mealCalories(0), "500");
    CqWndHome* home = showHome();
    home->refresh();
    QCOMPARE(button(home, "widget_0", 1)->text(), "0");
    QCOMPARE(button(home, "dailyscore", 1)->text(), QString());
}

void TestCqWndHome::mealRowOpensTracker_data()
{
    QTest::addColumn<int>("part"); // 0 the row, 1 title, 2 value, 3 arrow
    QTest::addColumn<int>("meal");
    QTest::newRow("arrow of dinner") << 3 << 4;
    QTest::newRow("title of breakfast") << 1 << 0;
    QTest::newRow("value of third snack") << 2 << 5;
    QTest::newRow("row of lunch") << 0 << 2;
}

void TestCqWndHome::mealRowOpensTracker()
{
    QFETCH(int, part);
    QFETCH(int, meal);
    storeDay(1500, {0, 0, 0, 0, 0, 0});
    CqWndHome* home = showHome();
    const QString name = QStringLiteral("widget_%1").arg(meal);
    auto* row = home->findChild<MyWidget*>(name);
    if (part == 0) {
        QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(2, 2));
    } else {
        QWidget* widget = row->layout()->itemAt(part == 3 ? 3 : part == 2 ? 2 : 0)->widget();
        QCOMPARE(widget->objectName(), name);
        qobject_cast<QAbstractButton*>(widget)->click();
    }
    QCOMPARE(m_trackers, QList<int>{meal});
}

void TestCqWndHome::scoreAndGradeDialogs()
{
    storeDay(1500, {300, 150, 450, 150, 300, 150});
    Utils* utils = Utils::instance();
    utils->setMemberValue(DayKeys::mealDetails(0), "10.5_2_3_1");
    utils->setMemberValue(DayKeys::mealDetails(2), "20_4.25_x_0.1");
    utils->setMemberValue(DayKeys::mealDetails(4), "garbage");
    // Left below zero by an older version: no negative grams are shown.
    utils->setMemberValue(DayKeys::mealDetails(5), "-0.0300002_0_-3_0");
    CqWndHome* home = showHome();

    QString content;
    QTimer::singleShot(0, this, [&content] {
        QTRY_VERIFY(qobject_cast<CqDlgDailyScore*>(QApplication::activeModalWidget()));
        QWidget* dialog = QApplication::activeModalWidget();
        content = dialog->findChild<QLabel*>("lblContent")->text();
        dialog->findChild<QPushButton*>("btnOk")->click();
    });
    button(home, "dailyscore", 0)->click();
    QCOMPARE(content, "Carbs = 30.5, Fat = 6.25, Protein = 3, Fiber = 1.1");

    QStringList rows;
    QTimer::singleShot(0, this, [&rows] {
        QTRY_VERIFY(qobject_cast<CqDlgDailyGrade*>(QApplication::activeModalWidget()));
        QWidget* dialog = QApplication::activeModalWidget();
        rows.append(dialog->findChild<QLabel*>("lblTitle")->text());
        for (int row = 0; row < 6; ++row) {
            rows.append(dialog->findChild<QLabel*>(QStringLiteral("lblRange_%1").arg(row))->text() + "|"
                        + dialog->findChild<QLabel*>(QStringLiteral("lblMeaning_%1").arg(row))->text());
        }
        dialog->findChild<QPushButton*>("btnOk")->click();
    });
    QTest::mouseClick(home->findChild<MyWidget*>("dailygrade"), Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(rows, (QStringList{"Caculating Your Grade", "95.8 - 100  =|A SHOULD ACHIEVE RESULTS",
                                "91.8 - 95.7 =|B GOOD CHANCE OF GETTING RESULTS",
                                "83.4 - 91.7 =|C MAY OR MAY NOT GET RESULTS",
                                "75.1 - 83.4 =|D LACK CONSISTENCY TO REACH GOAL",
                                "0 - 75 =|E YOU NEED HELP \u2013 CONTACT COACH",
                                "GRADE =|0     NEED TO EAT 4 OR MORE MEALS TO  GET GRADE"}));
}

void TestCqWndHome::samplesArriveOutOfOrder()
{
    // Breakfast answers last; every list still lands under its own meal.
    for (int meal = 0; meal < 6; ++meal) {
        m_server.enqueue(samplePath, FakeServer::Reply::json(
                                         sampleReply({QStringLiteral("meal %1 a").arg(meal),
                                                      QStringLiteral("meal %1 b").arg(meal)}),
                                         meal == 0 ? 300 : 0));
    }
    storeDay(1500, {0, 0, 0, 0, 0, 0});
    showHome();
    QVERIFY(m_server.waitForRequests(samplePath, 6));
    QStringList tables;
    for (const FakeServer::Request& request : m_server.requests(samplePath))
        tables.append(request.field("table_name"));
    QCOMPARE(tables, sampleTables);
    QTRY_COMPARE(SampleLists::titles(0), (QStringList{"meal 0 a", "meal 0 b"}));
    for (int meal = 1; meal < 6; ++meal)
        QCOMPARE(SampleLists::titles(meal),
                 (QStringList{QStringLiteral("meal %1 a").arg(meal), QStringLiteral("meal %1 b").arg(meal)}));

    CqDlgSample dialog(2);
    QCOMPARE(dialog.windowTitle(), "Sample Lunch");
    QCOMPARE(dialog.findChild<QLabel*>("lblName")->text(), "Sample Lunch");
    QAbstractItemModel* model = dialog.findChild<QListView*>("lstSamples")->model();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(1, 0).data().toString(), "meal 2 b");
}

void TestCqWndHome::sampleFaults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("refused") << "refused";
    QTest::newRow("HTTP 500") << "500";
    QTest::newRow("not JSON") << "text";
    QTest::newRow("stall") << "stall";
    QTest::newRow("thousands, long titles") << "huge";
}

void TestCqWndHome::sampleFaults()
{
    QFETCH(QString, kind);
    QStringList huge;
    if (kind == "refused") {
        qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(ServiceFault::closedPort()));
    } else {
        for (int i = 0; i < 3000; ++i)
            huge.append(i % 100 == 0 ? QString(5000, u'w') : QStringLiteral("Sample %1").arg(i));
        const FakeServer::Reply reply = kind == "500"    ? FakeServer::Reply::error(500)
                                        : kind == "text" ? FakeServer::Reply::json("Service Unavailable")
                                        : kind == "huge" ? FakeServer::Reply::json(sampleReply(huge))
                                                         : FakeServer::Reply::hang();
        m_server.setDefaultReply(samplePath, reply);
    }
    storeDay(1500, {300, 150, 450, 150, 300, 150});
    CqWndHome* home = showHome();
    QVERIFY(home);
    if (kind != "refused")
        QVERIFY(m_server.waitForRequests(samplePath, 6));
    if (kind == "huge")
        QTRY_COMPARE(SampleLists::titles(5).size(), 3000);
    QTest::qWait(100);
    if (kind != "huge") {
        for (int meal = 0; meal < 6; ++meal)
            QVERIFY(SampleLists::titles(meal).isEmpty());
    }

    // The dialog shows what arrived (or nothing) and closes.
    {
        CqDlgSample dialog(5);
        dialog.resize(500, 600);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.findChild<QListView*>("lstSamples")->model()->rowCount(), kind == "huge" ? 3000 : 0);
        dialog.findChild<QPushButton*>("btnClose")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    // The home stays usable.
    button(home, "widget_1", 0)->click();
    QCOMPARE(m_trackers, QList<int>{1});
    m_server.setDefaultReply(samplePath, FakeServer::Reply::json(sampleReply({})));
}

void TestCqWndHome::refreshAfterTrackerChange()
{
    storeDay(1500, {300, 150, 0, 150, 300, 150});
    CqWndHome* home = showHome();
    QCOMPARE(button(home, "widget_2", 1)->text(), "0");
    QCOMPARE(button(home, "dailygrade", 1)->text(), "F");

    // The member tracks lunch, then the tracker's home button returns.
    button(home, "widget_2", 1)->click();
    storeDay(1500, {300, 150, 450, 150, 300, 150});
    m_main->findChild<QPushButton*>("btnFood")->click();
    QCOMPARE(m_main->findChild<QMdiArea*>()->activeSubWindow()->widget(), home);
    QCOMPARE(button(home, "widget_2", 1)->text(), "450");
    QCOMPARE(button(home, "dailyscore", 1)->text(), "100");
    QCOMPARE(button(home, "dailygrade", 1)->text(), "A");
}

void TestCqWndHome::settingsButton()
{
    storeDay(1500, {0, 0, 0, 0, 0, 0});
    CqWndHome* home = showHome();
    home->findChild<QPushButton*>("btnSetting")->click();
    QCOMPARE(m_main->findChild<QMdiArea*>()->activeSubWindow()->widget()->metaObject()->className(),
             QByteArray("CqWndSetting"));
}

QTEST_MAIN(TestCqWndHome)
#include "tst_cqwndhome.moc"
