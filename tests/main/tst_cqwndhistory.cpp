#include "app/accountstate.h"
#include "fakeserver.h"
#include "servicefault.h"
#include "main/cqwndhistory.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/historychartview.h"
#include "main/historylistmodel.h"
#include "main/historylistview.h"
#include "main/historytrend.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "testenvironment.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QAccessible>
#include <QCategoryAxis>
#include <QChart>
#include <QFileDialog>
#include <QLabel>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>

namespace {

const QString historyPath = QStringLiteral("/api/getHistory");
const QString failure = QStringLiteral("The history could not be loaded. Return to this window to try again.");

QByteArray demoReply()
{
    QFile file(QStringLiteral(OLVA_TEST_DATA_DIR "/history_demo.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray twoDaysSameId()
{
    return R"({"result_code":0,"history_info":[)"
           R"({"id":"7","date":"1709640000000","total":"1200","remain":"300","score":"80","grade":"D"},)"
           R"({"id":"8","date":"1709726400000","total":"1500","remain":"0","score":"100","grade":"A"},)"
           R"({"id":"7","date":"1709812800000","total":"1600","remain":"-100","score":"93.3","grade":"B"}]})";
}

// Days 5, 6 and 9 of March 2024: a break between the 6th and the 9th.
QByteArray daysWithGap()
{
    return R"({"result_code":0,"history_info":[)"
           R"({"id":"1","date":"1709640000000","total":"1200","remain":"300","score":"80","grade":"D"},)"
           R"({"id":"2","date":"1709726400000","total":"1500","remain":"0","score":"100","grade":"A"},)"
           R"({"id":"3","date":"1709985600000","total":"1600","remain":"-100","score":"93.3","grade":"B"}]})";
}

// The contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& colour) {
        auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

class TestCqWndHistory final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsFromDemoReply();
    void chartFollowsRecords();
    void chartMarksDaysAndBreaksAtGaps();
    void sameIdOpensLaterRecord();
    void keyboardOpensDay_data();
    void keyboardOpensDay();
    void screenReaderNamesRows();
    void listIsAskedForOnce();
    void backAndHome();
    void faults_data();
    void faults();
    void lateReplyAfterStallStillFills();
    void failedListIsAskedAgainOnReturn_data();
    void failedListIsAskedAgainOnReturn();
    void exportWritesCsv();
    void manyDays();

private:
    CqWndHistory* openHistory();
    static HistoryListView* list(CqWndHistory* window);
    // The dates of the rows, top to bottom.
    static QStringList rows(CqWndHistory* window);
    static void clickRow(CqWndHistory* window, int row);

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
    int m_homes = 0;
};

void TestCqWndHistory::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
    qputenv("OLVA_REPLY_TIMEOUT_MS", "400");
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    loadingWindow = new CqWndLoading;
}

void TestCqWndHistory::init()
{
    TestEnvironment::resetAccount();
    m_server.clear();
    m_server.useAsApiHost();
    currentEmail = QStringLiteral("demo@olva.test");
    for (int kind = 0; kind < SubWindowKind::Count; ++kind)
        SubWindowFactory::unregisterKind(kind);
    registerFeatureWindows();
    m_homes = 0;
    SubWindowFactory::registerKind(SubWindowKind::PlannerHome, [this] {
        ++m_homes;
        return new QWidget;
    });
    m_main = std::make_unique<MainWindow>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestCqWndHistory::cleanup()
{
    TestEnvironment::closeModals();
    m_main.reset();
    if (loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

CqWndHistory* TestCqWndHistory::openHistory()
{
    m_main->showHistory();
    QMdiSubWindow* sub = m_main->findChild<QMdiArea*>()->activeSubWindow();
    return sub ? qobject_cast<CqWndHistory*>(sub->widget()) : nullptr;
}

HistoryListView* TestCqWndHistory::list(CqWndHistory* window)
{
    return window->findChild<HistoryListView*>("lstHistory");
}

QStringList TestCqWndHistory::rows(CqWndHistory* window)
{
    QStringList dates;
    const QAbstractItemModel* model = list(window)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        dates.append(model->index(row, 0).data().toString());
    return dates;
}

void TestCqWndHistory::clickRow(CqWndHistory* window, int row)
{
    HistoryListView* view = list(window);
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void TestCqWndHistory::rowsFromDemoReply()
{
    const QByteArray reply = demoReply();
    QVERIFY(!reply.isEmpty());
    m_server.enqueueJson("getHistory", reply);
    CqWndHistory* window = openHistory();
    QVERIFY(window);
    QVERIFY(loadingWindow->isLoading()); // the overlay is up while the list is on its way
    QTRY_VERIFY(!rows(window).isEmpty());
    QVERIFY(!loadingWindow->isLoading());
    QCOMPARE(m_server.lastRequest(historyPath).field("email"), "demo@olva.test");

    const QJsonArray days = QJsonDocument::fromJson(reply).object().value("history_info").toArray();
    const QStringList shown = rows(window);
    QCOMPARE(shown.size(), days.size());
    // In the order the server sent them, each carrying its id, dated, 70
    // pixels high and 2 apart.
    HistoryListView* view = list(window);
    QVERIFY(view->isVisible());
    for (int i = 0; i < days.size(); ++i) {
        const QJsonObject day = days.at(i).toObject();
        const QModelIndex index = view->model()->index(i, 0);
        QCOMPARE(index.data(HistoryListModel::idRole).toString(), day.value("id").toString());
        const qint64 date = day.value("date").toString().toLongLong();
        const QString text = QLocale(QLocale::English).toString(HistoryModel::dayOf(date), "MMMM dd yyyy");
        QCOMPARE(shown.at(i), text);
        QCOMPARE(view->visualRect(index).height(), 72);
    }
    // The first row lies at the top, the second right under it.
    QCOMPARE(view->visualRect(view->model()->index(0, 0)).top(), 0);
    QCOMPARE(view->visualRect(view->model()->index(1, 0)).top(), 72);
    QVERIFY(window->findChild<QPushButton*>("btnExport")->isEnabled());
}

void TestCqWndHistory::chartFollowsRecords()
{
    m_server.enqueueJson("getHistory", demoReply());
    CqWndHistory* window = openHistory();
    QTRY_VERIFY(!window->records().empty());
    auto* chart = window->findChild<HistoryChartView*>("chartView");
    QVERIFY(chart);
    const HistoryTrend expected =
        HistoryTrend::build(window->records(), HistoryChartView::pointsForWidth(chart->width()));
    QCOMPARE(chart->eatenSeries()->count(), expected.points.size());
    QCOMPARE(chart->scoreSeries()->count(), expected.points.size());
    QVERIFY(expected.points.size() > 0);

    // Oldest first; each point the day's figures.
    const auto oldest = std::min_element(window->records().begin(), window->records().end(),
                                         [](const auto& a, const auto& b) { return a->date < b->date; });
    const QPointF first = chart->eatenSeries()->at(0);
    QCOMPARE(first.y(), HistoryModel::figure((*oldest)->total));
    QCOMPARE(chart->targetSeries()->at(0).y(),
             HistoryModel::figure((*oldest)->total) + HistoryModel::figure((*oldest)->remain));
    QCOMPARE(chart->scoreSeries()->at(0).y(), HistoryModel::figure((*oldest)->score));
}

void TestCqWndHistory::chartMarksDaysAndBreaksAtGaps()
{
    m_server.enqueueJson("getHistory", daysWithGap());
    CqWndHistory* window = openHistory();
    QTRY_VERIFY(!window->records().empty());
    auto* chart = window->findChild<HistoryChartView*>("chartView");
    QVERIFY(chart->height() > 260);

    // Every day a marker; one line per figure, over the 5th and 6th only.
    QCOMPARE(chart->scoreSeries()->count(), 3);
    for (auto figure : {HistoryChartView::Eaten, HistoryChartView::Target, HistoryChartView::Score}) {
        const QList<QLineSeries*> lines = chart->lines(figure);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.constFirst()->count(), 2);
        QCOMPARE(lines.constFirst()->at(1).x() - lines.constFirst()->at(0).x(), 1.0);
    }
    // A label for each of the five days, the untracked ones too.
    QCOMPARE(chart->timeAxis()->categoriesLabels(),
             QStringList({"Mar 05 2024", "Mar 06 2024", "Mar 07 2024", "Mar 08 2024", "Mar 09 2024"}));

    // Every text of the chart stands out from its background.
    QChart* plot = chart->chart();
    const QColor background = plot->backgroundBrush().color();
    QList<QColor> texts{plot->titleBrush().color(), plot->legend()->labelColor()};
    for (QAbstractAxis* axis : plot->axes())
        texts << axis->labelsBrush().color() << axis->titleBrush().color();
    for (const QColor& text : std::as_const(texts))
        QVERIFY2(contrast(text, background) >= 4.5, qPrintable(text.name()));
}

void TestCqWndHistory::sameIdOpensLaterRecord()
{
    m_server.enqueueJson("getHistory", twoDaysSameId());
    CqWndHistory* window = openHistory();
    QTRY_COMPARE(rows(window).size(), 3);
    const HistoryModel* later = window->records().back().get();
    QCOMPARE(later->total, "1600");
    // Rows 0 and 2 both carry id 7 and open the later day; row 1 its own.
    const QList<const HistoryModel*> opened{later, window->records().at(1).get(), later};
    for (int row = 0; row < 3; ++row) {
        clickRow(window, row);
        QCOMPARE(m_main->historyDetailsRecord(), opened.at(row));
        openHistory();
    }
}

void TestCqWndHistory::keyboardOpensDay_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("opened"); // record index, -1 for none
    QTest::newRow("Enter on the first row") << int(Qt::Key_Return) << 0 << 2;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 0 << 2;
    QTest::newRow("Space on the second row") << int(Qt::Key_Space) << 1 << 1;
    QTest::newRow("past the last row stays on it") << int(Qt::Key_Space) << 5 << 2;
    QTest::newRow("another key opens nothing") << int(Qt::Key_A) << 1 << -1;
}

void TestCqWndHistory::keyboardOpensDay()
{
    QFETCH(int, key);
    QFETCH(int, downs);
    QFETCH(int, opened);
    m_server.enqueueJson("getHistory", twoDaysSameId());
    CqWndHistory* window = openHistory();
    QTRY_COMPARE(rows(window).size(), 3);
    HistoryListView* view = list(window);
    QCOMPARE(view->focusPolicy(), Qt::StrongFocus);
    QApplication::setActiveWindow(m_main.get());
    view->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(view->hasFocus());
    view->setCurrentIndex(view->model()->index(0, 0));
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key(key));
    const HistoryModel* expected = opened < 0 ? nullptr : window->records().at(size_t(opened)).get();
    QCOMPARE(m_main->historyDetailsRecord(), expected);
}

void TestCqWndHistory::screenReaderNamesRows()
{
    m_server.enqueueJson("getHistory", twoDaysSameId());
    CqWndHistory* window = openHistory();
    QTRY_COMPARE(rows(window).size(), 3);
    QAccessibleInterface* listInterface = QAccessible::queryAccessibleInterface(list(window));
    QVERIFY(listInterface);
    QCOMPARE(listInterface->text(QAccessible::Name), "Tracked days");
    // Each row is read out as its date.
    QStringList names;
    for (int i = 0; i < listInterface->childCount(); ++i) {
        QAccessibleInterface* child = listInterface->child(i);
        if (child && child->role() == QAccessible::ListItem)
            names.append(child->text(QAccessible::Name));
    }
    QCOMPARE(names, QStringList({"March 05 2024", "March 06 2024", "March 07 2024"}));
}

void TestCqWndHistory::listIsAskedForOnce()
{
    m_server.enqueueJson("getHistory", twoDaysSameId());
    CqWndHistory* window = openHistory();
    QTRY_COMPARE(rows(window).size(), 3);
    m_main->showSettings();
    QCOMPARE(openHistory(), window);
    QTest::qWait(50); // let any stray request arrive
    QCOMPARE(m_server.requestCount(historyPath), 1);
    QCOMPARE(rows(window).size(), 3);
}

void TestCqWndHistory::backAndHome()
{
    m_server.enqueueJson("getHistory", twoDaysSameId());
    CqWndHistory* window = openHistory();
    QTRY_VERIFY(!loadingWindow->isLoading());
    QMdiArea* area = m_main->findChild<QMdiArea*>();

    window->findChild<QPushButton*>("btnBack")->click();
    QVERIFY(qobject_cast<CqWndSetting*>(area->activeSubWindow()->widget()));

    // The settings entry leads back to the same history.
    QTest::mouseClick(area->activeSubWindow()->widget()->findChild<MyWidget*>("wdgetHistory"), Qt::LeftButton);
    QCOMPARE(area->activeSubWindow()->widget(), window);

    window->findChild<QPushButton*>("btnHome")->click();
    QCOMPARE(m_homes, 1);
    QVERIFY(area->activeSubWindow()->widget() != window);
}

void TestCqWndHistory::faults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("refused") << "refused";
    QTest::newRow("HTTP 500") << "500";
    QTest::newRow("not JSON") << "text";
    QTest::newRow("result code 1") << "code";
    QTest::newRow("no array") << "noarray";
    QTest::newRow("stall") << "stall";
}

void TestCqWndHistory::faults()
{
    QFETCH(QString, kind);
    if (kind == "refused")
        qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(ServiceFault::closedPort()));
    else if (kind == "500")
        m_server.enqueue(historyPath, FakeServer::Reply::error(500));
    else if (kind == "text")
        m_server.enqueue(historyPath, FakeServer::Reply::json("<html>Bad Gateway</html>"));
    else if (kind == "code")
        m_server.enqueueJson("getHistory", R"({"result_code":1,"message":"Non Exist Email"})");
    else if (kind == "noarray")
        m_server.enqueueJson("getHistory", R"({"result_code":0,"history_info":"none"})");
    else
        m_server.enqueue(historyPath, FakeServer::Reply::hang());

    CqWndHistory* window = openHistory();
    QVERIFY(window);
    QTRY_VERIFY_WITH_TIMEOUT(!loadingWindow->isLoading(), 5000);
    if (kind == "noarray") {
        // A success with nothing to list: no days, nothing to tell.
        QVERIFY(m_server.waitForRequests(historyPath, 1));
        QTest::qWait(200);
        QVERIFY(m_main->messageBar()->messages().isEmpty());
    } else {
        QTRY_COMPARE(m_main->messageBar()->messages(), QStringList{failure});
    }
    QVERIFY(rows(window).isEmpty());
    QVERIFY(!window->findChild<QPushButton*>("btnExport")->isEnabled());

    // Still usable: navigation works.
    window->findChild<QPushButton*>("btnBack")->click();
    QVERIFY(qobject_cast<CqWndSetting*>(m_main->findChild<QMdiArea*>()->activeSubWindow()->widget()));
}

void TestCqWndHistory::lateReplyAfterStallStillFills()
{
    // Slower than the wait: the member is told, and the list still arrives.
    m_server.enqueue(historyPath, FakeServer::Reply::json(twoDaysSameId(), 900));
    CqWndHistory* window = openHistory();
    QTRY_COMPARE(m_main->messageBar()->messages(), QStringList{failure});
    QVERIFY(!loadingWindow->isLoading());
    QTRY_COMPARE_WITH_TIMEOUT(rows(window).size(), 3, 5000);
    QCOMPARE(m_main->messageBar()->messages().count(failure), 1);
}

void TestCqWndHistory::failedListIsAskedAgainOnReturn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("HTTP 500") << "500";
    QTest::newRow("not JSON") << "text";
    QTest::newRow("stall") << "stall";
}

void TestCqWndHistory::failedListIsAskedAgainOnReturn()
{
    QFETCH(QString, kind);
    if (kind == "500")
        m_server.enqueue(historyPath, FakeServer::Reply::error(500));
    else if (kind == "text")
        m_server.enqueue(historyPath, FakeServer::Reply::json("<html>Bad Gateway</html>"));
    else
        m_server.enqueue(historyPath, FakeServer::Reply::hang());
    m_server.enqueueJson("getHistory", twoDaysSameId());

    CqWndHistory* window = openHistory();
    QTRY_COMPARE(m_main->messageBar()->messages(), QStringList{failure});
    QCOMPARE(m_server.requestCount(historyPath), 1);

    // Away and back: asked again, and this time the days come.
    m_main->showSettings();
    QCOMPARE(openHistory(), window);
    QVERIFY(m_server.waitForRequests(historyPath, 2));
    QTRY_COMPARE(rows(window).size(), 3);
    QVERIFY(window->findChild<QPushButton*>("btnExport")->isEnabled());
    QTRY_VERIFY(!loadingWindow->isLoading());
    QCOMPARE(m_main->messageBar()->messages().count(failure), 1);
}

void TestCqWndHistory::exportWritesCsv()
{
    m_server.enqueueJson("getHistory", twoDaysSameId());
    CqWndHistory* window = openHistory();
    QTRY_COMPARE(rows(window).size(), 3);

    const QString path = TestEnvironment::root() + "/export/days.csv";
    QDir().mkpath(TestEnvironment::root() + "/export");
    QTimer::singleShot(0, this, [path] {
        QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept() is protected
    });
    window->findChild<QPushButton*>("btnExport")->click();

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0),
             "Date,Target,Total,Remaining,Score,Grade,Breakfast,First Snack,Lunch,Second Snack,Dinner,Third Snack,"
             "Exercise");
    QCOMPARE(lines.at(1), "2024-03-05,1500,1200,300,80,D,,,,,,,");
    QCOMPARE(lines.at(3), "2024-03-07,1500,1600,-100,93.3,B,,,,,,,");

    // Told as a success: not in the bar of failures, in a readable colour of its own.
    auto* success = window->findChild<QtMaterialSnackbar*>();
    QVERIFY(success);
    QTRY_VERIFY(!success->messages().isEmpty());
    QVERIFY(success->messages().constLast().contains("days.csv"));
    QVERIFY(m_main->messageBar()->messages().isEmpty());
    QVERIFY(success->backgroundColor() != m_main->messageBar()->backgroundColor());
    QVERIFY(success->backgroundColor().green() > success->backgroundColor().red());
    QVERIFY(contrast(success->backgroundColor(), success->textColor()) >= 4.5);
}

void TestCqWndHistory::manyDays()
{
    // 5,000 days: all listed, the chart averaged to fit.
    QJsonArray days;
    const qint64 first = QDateTime(QDate(2010, 1, 1), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
    for (int i = 0; i < 5000; ++i) {
        days.append(QJsonObject{{"id", QString::number(i + 1)},
                                {"date", QString::number(first + qint64(i) * 86400000)},
                                {"total", "1500"}, {"remain", "300"}, {"score", "83.3"}, {"grade", "D"}});
    }
    m_server.enqueueJson("getHistory", QJsonDocument(QJsonObject{{"result_code", 0}, {"history_info", days}}).toJson());
    CqWndHistory* window = openHistory();
    QTRY_COMPARE_WITH_TIMEOUT(int(window->records().size()), 5000, 20000);
    // In the server's order.
    QCOMPARE(rows(window).size(), 5000);
    QCOMPARE(list(window)->model()->index(4999, 0).data(HistoryListModel::idRole).toInt(), 5000);
    // The last day is reached and opens.
    clickRow(window, 4999);
    QCOMPARE(m_main->historyDetailsRecord(), window->records().back().get());
    auto* chart = window->findChild<HistoryChartView*>("chartView");
    QVERIFY(chart->trend().step != HistoryTrend::Step::Day);
    QVERIFY(chart->eatenSeries()->count() <= HistoryChartView::pointsForWidth(chart->width()));
}

QTEST_MAIN(TestCqWndHistory)
#include "tst_cqwndhistory.moc"
