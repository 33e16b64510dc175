#include "app/accountstate.h"
#include "demosession.h"
#include "main/cqwndhistory.h"
#include "main/cqwndhistorydetails.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/historychartview.h"
#include "main/historylistmodel.h"
#include "main/mainwindow.h"
#include "planner/cqwndhome.h"
#include "planner/dailyscore.h"
#include "testenvironment.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/cqwndtracker.h"
#include "tracker/foodcatalogue.h"
#include "tracker/daystore.h"
#include "tracker/foodmodel.h"
#include "tracker/foodnumbers.h"
#include "tracker/foodtablemodel.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialflatbutton.h"
#include "widgets/qtmaterialraisedbutton.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include <functional>

namespace {

QWidget* activeFeature(MainWindow* main)
{
    // The current one even while a top-level window of its own (the target
    // window, a dialog) has the focus.
    QMdiSubWindow* sub = main->findChild<QMdiArea*>()->currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

// The text a planner-home row shows (title, value) by the row's name.
QString homeValue(CqWndHome* home, const QString& name)
{
    const QList<QtMaterialFlatButton*> buttons = home->findChildren<QtMaterialFlatButton*>(name);
    // Title first, value second (the arrow is an icon button).
    return buttons.size() >= 2 ? buttons.at(1)->text() : QString();
}

// Runs `inspect` on the next modal dialog of type T, then clicks its button
// `close`. `seen` tells whether it ran.
template<typename T>
void onNextModal(const QString& close, std::function<void(T*)> inspect, bool* seen)
{
    *seen = false;
    QTimer::singleShot(0, qApp, [close, inspect, seen] {
        QTRY_VERIFY(qobject_cast<T*>(QApplication::activeModalWidget()));
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        inspect(dialog);
        *seen = true;
        if (!dialog->isVisible())
            return; // `inspect` closed it
        if (auto* button = dialog->template findChild<QAbstractButton*>(close))
            button->click();
        else
            dialog->reject();
    });
}

// The daily-target window: its own top-level window.
CqWndTotalCalories* shownTargetWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<CqWndTotalCalories*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

// The demo member plans a day like a person against olva-server's demo data:
// sets the daily target, tracks four meals from the planner home, sees the
// figures, stars, score and grade, opens the score, grade and sample dialogs,
// then the history with its chart, one day's lunch, exports the history and
// goes back home.
class TestPlannerDemo final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void planTheDay();
    void historyAndExport();
    void pictureButtonsShowTheirPictures_data();
    void pictureButtonsShowTheirPictures();

private:
    CqWndHome* home();
    // Opens `meal` from the home, cups the food on `row` of the first
    // category, saves and goes home. Returns the calories saved.
    int trackMeal(int meal, int row);

    DemoSession m_demo;
    MainWindow* m_main = nullptr;
};

void TestPlannerDemo::initTestCase()
{
    TestEnvironment::isolate();
    // Figures as plain digits, whatever the machine's language groups them by.
    QLocale::setDefault(QLocale::c());
    QVERIFY(m_demo.start());
    QVERIFY(m_demo.signInThroughLogin());
    // The friends reminder is the community's to test; here it would only
    // pop up in the middle of the day's planning.
    currentCheckDay = QDate::currentDate().addDays(7).toString(QStringLiteral("yyyy-MM-dd"));
    m_main = m_demo.showMainWindow();
    QVERIFY(m_main);
}

void TestPlannerDemo::cleanup()
{
    TestEnvironment::closeModals();
}

CqWndHome* TestPlannerDemo::home()
{
    return qobject_cast<CqWndHome*>(activeFeature(m_main));
}

int TestPlannerDemo::trackMeal(int meal, int row)
{
    MyWidget* mealRow = home()->findChild<MyWidget*>(QStringLiteral("widget_%1").arg(meal));
    if (!mealRow)
        return -1;
    QTest::mouseClick(mealRow, Qt::LeftButton);
    auto* tracker = qobject_cast<CqWndTracker*>(activeFeature(m_main));
    if (!tracker)
        return -1;
    // The catalogue arrives; the first category opens.
    MyWidget* entry = nullptr;
    QElapsedTimer waited;
    waited.start();
    while (!(entry = tracker->findChild<MyWidget*>()) && waited.elapsed() < 15000)
        QTest::qWait(20);
    if (!entry)
        return -1;
    QTest::mouseClick(tracker->findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory")), Qt::LeftButton);
    QTest::mouseClick(entry, Qt::LeftButton);
    auto* table = tracker->findChild<QTableView*>(QStringLiteral("tblDetail"));
    const FoodModel* category = tracker->catalogue().category(entry->property("categoryId").toInt());
    if (!table || !category || category->items.size() <= row)
        return -1;
    const int calories = FoodNumbers::wholePart(category->items.at(row)->cal);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(row, FoodTableModel::Cup)).center());
    QTest::mouseClick(tracker->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    // Home once nothing is loading any more (home does nothing meanwhile).
    while (loadingWindow->isLoading() && waited.elapsed() < 15000)
        QTest::qWait(20);
    tracker->findChild<QAbstractButton*>(QStringLiteral("btnHome"))->click();
    return calories;
}

void TestPlannerDemo::planTheDay()
{
    // The food tracker button leads to the planner home, which first asks
    // for the daily target.
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("btnFood")), Qt::LeftButton);
    QVERIFY(home());
    CqWndTotalCalories* target = nullptr;
    QTRY_VERIFY((target = shownTargetWindow()));
    QTest::keyClicks(target->findChild<QLineEdit*>(QStringLiteral("edtTotal")), QStringLiteral("1800"));
    QTest::mouseClick(target->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    QCOMPARE(totalCalories, 1800);

    // Six meals, each with its own row and value; nothing eaten yet.
    const QStringList meals{"Breakfast", "First Snack", "Lunch", "Second Snack", "Dinner", "Third Snack"};
    for (int meal = 0; meal < 6; ++meal) {
        MyWidget* row = home()->findChild<MyWidget*>(QStringLiteral("widget_%1").arg(meal));
        QVERIFY(row);
        QVERIFY(row->isVisible());
        QVERIFY2(row->accessibleName().contains(meals.at(meal), Qt::CaseInsensitive), qPrintable(row->accessibleName()));
        QCOMPARE(homeValue(home(), row->objectName()), QStringLiteral("0"));
    }

    // Four meals tracked: breakfast, first snack, lunch, dinner.
    QList<int> eaten(6, 0);
    for (const auto& [meal, row] : QList<QPair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {4, 3}}) {
        eaten[meal] = trackMeal(meal, row);
        QVERIFY2(eaten[meal] > 0, qPrintable(QStringLiteral("meal %1").arg(meal)));
        QVERIFY(home()); // the tracker's home button leads back
        QCOMPARE(homeValue(home(), QStringLiteral("widget_%1").arg(meal)), QString::number(eaten[meal]));
    }
    int sum = 0;
    for (int calories : eaten)
        sum += calories;
    QCOMPARE(remainCalories, 1800 - sum);
    QCOMPARE(home()->findChild<QLabel*>(QStringLiteral("lblRemaining"))->text(), QString::number(1800 - sum));

    // Score: what was eaten as a share of the target, mirrored above it.
    const float share = float(sum) / 1800.0f * 100.0f;
    const float score = sum <= 1800 ? share : 200.0f - share;
    QCOMPARE(homeValue(home(), "dailyscore"), QString::number(double(score), 'f', 0));
    // Four meals eaten: a letter grade, no longer "0".
    const QString grade = homeValue(home(), "dailygrade");
    QVERIFY2(QStringList({"A", "B", "C", "D", "F"}).contains(grade), qPrintable(grade));
    QCOMPARE(grade, DailyScore::grade(score, 4).value_or(QString()));

    // The score dialog sums the day's nutrients; the grade dialog explains
    // the letters.
    bool seen = false;
    onNextModal<QDialog>(QStringLiteral("btnOk"), std::function<void(QDialog*)>([](QDialog* dialog) {
        const QString text = dialog->findChild<QLabel*>(QStringLiteral("lblContent"))->text();
        QVERIFY2(text.startsWith("Carbs = ") && text.contains(", Fiber = "), qPrintable(text));
        QVERIFY(!text.startsWith("Carbs = 0, Fat = 0"));
    }), &seen);
    QTest::mouseClick(home()->findChild<MyWidget*>(QStringLiteral("dailyscore")), Qt::LeftButton);
    QVERIFY(seen);

    onNextModal<QDialog>(QStringLiteral("btnOk"), std::function<void(QDialog*)>([](QDialog* dialog) {
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("lblRange_3"))->text(), QStringLiteral("75.1 - 83.4 ="));
        QVERIFY(dialog->isVisible());
    }), &seen);
    QTest::mouseClick(home()->findChild<MyWidget*>(QStringLiteral("dailygrade")), Qt::LeftButton);
    QVERIFY(seen);

    // The sample meals of lunch, from the lunch tracker's sample button.
    QTest::mouseClick(home()->findChild<MyWidget*>(QStringLiteral("widget_2")), Qt::LeftButton);
    auto* tracker = qobject_cast<CqWndTracker*>(activeFeature(m_main));
    QVERIFY(tracker);
    QTRY_VERIFY_WITH_TIMEOUT(!loadingWindow->isLoading(), 15000);
    QStringList samples;
    onNextModal<QDialog>(QStringLiteral("btnClose"), std::function<void(QDialog*)>([&samples](QDialog* dialog) {
        const QAbstractItemModel* model = dialog->findChild<QListView*>(QStringLiteral("lstSamples"))->model();
        for (int row = 0; row < model->rowCount(); ++row)
            samples.append(model->index(row, 0).data().toString());
    }), &seen);
    tracker->findChild<QAbstractButton*>(QStringLiteral("btnSample"))->click();
    QVERIFY(seen);
    QVERIFY2(samples.contains("Grilled chicken salad with vinaigrette"), qPrintable(samples.join('|')));
    QVERIFY(!samples.contains("Oatmeal with blueberries and skim milk")); // breakfast's, not lunch's
    tracker->findChild<QAbstractButton*>(QStringLiteral("btnHome"))->click();
    QVERIFY(home());
}

void TestPlannerDemo::historyAndExport()
{
    // Settings, then "Food Tracking History".
    m_main->goHome(true);
    QVERIFY(home());
    home()->findChild<QPushButton*>(QStringLiteral("btnSetting"))->click();
    auto* settings = qobject_cast<CqWndSetting*>(activeFeature(m_main));
    QVERIFY(settings);
    QTest::mouseClick(settings->findChild<MyWidget*>(QStringLiteral("wdgetHistory")), Qt::LeftButton);
    auto* history = qobject_cast<CqWndHistory*>(activeFeature(m_main));
    QVERIFY(history);

    auto* list = history->findChild<QListView*>(QStringLiteral("lstHistory"));
    QVERIFY(list);
    QTRY_VERIFY_WITH_TIMEOUT(list->model()->rowCount() > 0, 15000);
    const int days = list->model()->rowCount();
    QCOMPARE(int(history->records().size()), days);
    // Dated rows, newest first as the server sends them.
    const QString firstDate = list->model()->index(0, 0).data().toString();
    QVERIFY(QDate::fromString(firstDate, "MMMM dd yyyy").isValid() ||
            QLocale(QLocale::English).toDate(firstDate, "MMMM dd yyyy").isValid());
    QVERIFY(history->records().front()->date >= history->records().back()->date);

    // The chart shows the days' calories and scores.
    auto* chart = history->findChild<HistoryChartView*>(QStringLiteral("chartView"));
    QVERIFY(chart && chart->isVisible());
    QVERIFY(chart->eatenSeries()->count() > 0);
    QCOMPARE(chart->scoreSeries()->count(), chart->eatenSeries()->count());

    // A day's details: its date and figures, then its lunch.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    auto* details = qobject_cast<CqWndHistoryDetails*>(activeFeature(m_main));
    QVERIFY(details);
    QCOMPARE(details->findChild<QLabel*>(QStringLiteral("lblDate"))->text(), firstDate);
    const HistoryModel* day = history->record(list->model()->index(0, 0).data(HistoryListModel::idRole).toInt());
    QVERIFY(day);
    QCOMPARE(details->findChild<QLabel*>(QStringLiteral("lblGrade"))->text(), day->grade);
    QCOMPARE(details->findChild<QLabel*>(QStringLiteral("lblTotal"))->text(),
             QLocale().toString(HistoryModel::figure(day->total), 'f', 0));
    details->findChild<QPushButton*>(QStringLiteral("btnCategory"))->click();
    QVERIFY(details->findChild<QWidget*>(QStringLiteral("widgetCategory"))->isVisible());
    QTest::mouseClick(details->findChild<MyWidget*>(QStringLiteral("widgetCategoryLunch")), Qt::LeftButton);
    QCOMPARE(details->findChild<QPushButton*>(QStringLiteral("btnCategory"))->text(), QStringLiteral("Lunch"));
    QPushButton* group = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((group = [&]() -> QPushButton* {
        for (QPushButton* button : details->findChild<QWidget*>(QStringLiteral("widgetDetails"))->findChildren<QPushButton*>()) {
            if (button->isCheckable() && button->isVisible())
                return button;
        }
        return nullptr;
    }()), 10000);
    QVERIFY(!group->text().isEmpty());
    group->click();
    QTableWidget* table = nullptr;
    for (QTableWidget* candidate : details->findChildren<QTableWidget*>()) {
        if (candidate->isVisible())
            table = candidate;
    }
    QVERIFY(table);
    QVERIFY(table->rowCount() > 0);
    QVERIFY(!table->item(0, 0)->text().isEmpty());

    QTRY_VERIFY(!loadingWindow->isLoading());
    // Back to the list, and export it.
    details->findChild<QPushButton*>(QStringLiteral("btnBack"))->click();
    QCOMPARE(activeFeature(m_main), history);
    const QString path = TestEnvironment::root() + "/history-export.csv";
    bool seen = false;
    onNextModal<QFileDialog>(QString(), std::function<void(QFileDialog*)>([path](QFileDialog* dialog) {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept() is protected
    }), &seen);
    history->findChild<QPushButton*>(QStringLiteral("btnExport"))->click();
    QVERIFY(seen);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), days + 1);
    QVERIFY(lines.at(0).startsWith("Date,Target,Total,Remaining,Score,Grade,Breakfast"));
    // Told in the history's own bar, the one for good news.
    auto* saved = history->findChild<QtMaterialSnackbar*>(QStringLiteral("successBar"));
    QVERIFY(saved);
    QVERIFY(saved->messages().constLast().contains("history-export.csv"));

    // And home.
    history->findChild<QPushButton*>(QStringLiteral("btnHome"))->click();
    QVERIFY(home());
}

void TestPlannerDemo::pictureButtonsShowTheirPictures_data()
{
    QTest::addColumn<int>("window"); // 0 the tracker, 1 the settings, 2 the history
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("colours"); // at least, among its opaque pixels
    QTest::addColumn<bool>("light");  // a white glyph for a dark title bar
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.0, 2.0}) {
        QTest::addRow("tracker sample at %g", ratio) << 0 << "btnSample" << 4 << false << ratio;
        QTest::addRow("tracker home at %g", ratio) << 0 << "btnHome" << 1 << false << ratio;
        QTest::addRow("settings home at %g", ratio) << 1 << "btnHome" << 1 << true << ratio;
        QTest::addRow("history back at %g", ratio) << 2 << "btnBack" << 1 << true << ratio;
        QTest::addRow("history home at %g", ratio) << 2 << "btnHome" << 1 << true << ratio;
    }
}

void TestPlannerDemo::pictureButtonsShowTheirPictures()
{
    QFETCH(int, window);
    QFETCH(QString, button);
    QFETCH(int, colours);
    QFETCH(bool, light);
    QFETCH(qreal, ratio);
    window == 0 ? m_main->showTracker(0) : window == 1 ? m_main->showSettings() : m_main->showHistory();
    auto* widget = activeFeature(m_main)->findChild<QAbstractButton*>(button);
    QVERIFY(widget);
    QImage painted(widget->size() * ratio, QImage::Format_ARGB32);
    painted.setDevicePixelRatio(ratio);
    painted.fill(Qt::transparent);
    widget->render(&painted, {}, {}, QWidget::DrawChildren);
    // A shape on a clear ground, not an empty or a filled one-colour square.
    QSet<QRgb> opaque;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            if (qAlpha(painted.pixel(x, y)) == 255)
                opaque.insert(painted.pixel(x, y));
        }
    }
    QVERIFY2(opaque.size() >= colours, qPrintable(QString::number(opaque.size())));
    QCOMPARE(painted.pixel(0, 0), qRgba(0, 0, 0, 0));
    for (const QRgb pixel : std::as_const(opaque))
        QVERIFY(!light || qGray(pixel) >= 200);
}

QTEST_MAIN(TestPlannerDemo)
#include "tst_plannerdemo.moc"
