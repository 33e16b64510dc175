#include "app/accountstate.h"
#include "app/utils.h"
#include "exercise/cqwndexercise.h"
#include "exercise/exercisestore.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "planner/cqwndhome.h"
#include "testenvironment.h"
#include "tracker/dayclock.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include <memory>

// A member logs, edits and deletes exercise in the window, and the planner
// home counts the chosen share of it.
class TestCqWndExercise final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void logEditDeleteAndCount();

private:
    QString homeFigure(const QString& name);
    CqWndExercise* openExercise();

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
};

void TestCqWndExercise::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    currentEmail = QStringLiteral("walker@olva.test");
    totalCalories = 1800;
    Utils::instance()->saveTotalCalories();
    remainCalories = 1500;
    Utils::instance()->saveRemainCalories();
    loadingWindow = new CqWndLoading;
    registerFeatureWindows();
    SubWindowFactory::unregisterKind(SubWindowKind::StoreWorkout);
    m_main = std::make_unique<MainWindow>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

QString TestCqWndExercise::homeFigure(const QString& name)
{
    m_main->goHome(true);
    QMdiSubWindow* sub = m_main->findChild<QMdiArea*>()->activeSubWindow();
    auto* home = sub ? qobject_cast<CqWndHome*>(sub->widget()) : nullptr;
    return home ? home->findChild<QLabel*>(name)->text() : QString();
}

CqWndExercise* TestCqWndExercise::openExercise()
{
    m_main->findChild<QPushButton*>("btnExercise")->click();
    return qobject_cast<CqWndExercise*>(m_main->keptWindow(SubWindowKind::Exercise));
}

void TestCqWndExercise::logEditDeleteAndCount()
{
    CqWndExercise* window = openExercise();
    QVERIFY(window);
    QTRY_VERIFY(window->isVisible());

    // No weight log yet: the member gives the body weight once.
    auto* weight = window->findChild<QLineEdit*>("edtBodyWeight");
    QVERIFY(weight->text().isEmpty());
    QTest::keyClicks(weight, "80");
    QTest::keyClicks(window->findChild<QLineEdit*>("edtSearch"), "walk bri");
    window->findChild<QSpinBox*>("spnMinutes")->setValue(30);
    QVERIFY(window->findChild<QLabel*>("lblBurned")->text().contains("172"));
    window->findChild<QPushButton*>("btnLog")->click();

    const QDate today = DayClock::today();
    QCOMPARE(ExerciseStore::entries(today),
             (QList<ExerciseEntry>{{"17200", "Walking, brisk pace (3.5 mph)", 30, 172}}));
    QCOMPARE(ExerciseStore::givenBodyKg(), std::optional<double>(80.0));

    // Half counts by default: the remaining calories rise by 86.
    QCOMPARE(homeFigure("lblExercise"), QStringLiteral("172"));
    QCOMPARE(homeFigure("lblRemainingWithExercise"), QStringLiteral("1586"));
    QCOMPARE(homeFigure("lblRemaining"), QStringLiteral("1500")); // the food's own figure

    // Editing to an hour doubles it; counting all of it adds all.
    window = openExercise();
    auto* entries = window->findChild<QTableWidget*>("tblEntries");
    QCOMPARE(entries->rowCount(), 1);
    entries->selectRow(0);
    window->findChild<QPushButton*>("btnEdit")->click();
    window->findChild<QSpinBox*>("spnMinutes")->setValue(60);
    window->findChild<QPushButton*>("btnLog")->click();
    window->findChild<QRadioButton*>("rdoAll")->click();
    QCOMPARE(ExerciseStore::entries(today).value(0).calories, 344);
    QCOMPARE(homeFigure("lblRemainingWithExercise"), QStringLiteral("1844"));

    // Deleted, nothing counts; and none counts nothing either.
    window = openExercise();
    entries->selectRow(0);
    window->findChild<QPushButton*>("btnDelete")->click();
    QCOMPARE(entries->rowCount(), 0);
    QCOMPARE(homeFigure("lblRemainingWithExercise"), QStringLiteral("1500"));
    QVERIFY(ExerciseStore::add(today, {"02150", "Yoga, hatha", 60, 200}));
    window = openExercise();
    window->findChild<QRadioButton*>("rdoNone")->click();
    QCOMPARE(homeFigure("lblExercise"), QStringLiteral("200"));
    QCOMPARE(homeFigure("lblRemainingWithExercise"), QStringLiteral("1500"));
}

QTEST_MAIN(TestCqWndExercise)
#include "tst_cqwndexercise.moc"
