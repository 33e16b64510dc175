#include "app/accountstate.h"
#include "app/utils.h"
#include "community/liststatus.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/dialogfactory.h"
#include "main/historymodel.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "servicefault.h"
#include "services/appointmentrecorder.h"
#include "services/cqdlgserviceinfo.h"
#include "services/cqwndserviceitem.h"
#include "store/cqwnditems.h"
#include "store/subscriptionrenewal.h"
#include "storetesthelpers.h"
#include "testenvironment.h"
#include "video/cqwndvideodownload.h"
#include "video/downloadmanagerhttp.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

namespace {

// Short enough that a stalled row ends soon, long enough that a machine busy
// with other tests (several run per core) still gets a local answer in time.
constexpr int replyTimeoutMs = 1200;

// How a window of the matrix is reached.
enum class Opens {
    MainWindow,  // its first paint opens the workout store and asks for the offer
    Button,      // a button of the main window's left panel
    Tracker,     // showTracker()
    History,     // showHistory()
    Details,     // showHistoryDetails()
    Cart,        // the nutrition store, then its cart
    Library,     // the nutrition store, then its library
    Dialog,      // DialogFactory::run()
};

struct WindowCase
{
    QString name;
    Opens opens;
    QString button;    // Opens::Button: the main window's button
    int kind = -1;     // sub-window kind shown, or DialogFactory::Kind
    QVariant argument; // dialog argument
    bool waits = true; // the member waits for what it asks: a failure is told
    QString back;      // the window's home/back button (sub-windows)
    int backTo = -1;   // the sub-window kind the back button shows
    QStringList asks = {}; // what the member clicks before the window asks for anything
    // Rows about a later request: the window first loads with these answers
    // (endpoint, reply), the member clicks `prepare` and types `typed`, and
    // only the clicks of `asks` meet the fault.
    QList<QPair<QString, QByteArray>> loads = {};
    QStringList prepare = {};
    QList<QPair<QString, QString>> typed = {};
    QStringList inModal = {}; // buttons clicked, in order, in the dialogs the asks open
    QString deletes = {};     // a downloaded file (data directory) that `asks` delete at once, whatever the answer
    QString popup = {};       // class of the top-level window the asks open; it is closed at the end
};

QByteArray smallCatalogue()
{
    return R"({"result_code":0,"food_list":[{"id":"1","title":"Fruits","recomended":"Fresh","calorie_list":[)"
           R"({"id":"31","user_id":"0","title":"Banana","cal":"150","carbs":"20","fat":"4","protein":"8","fiber":"2"}]}]})";
}

// Clicks a button, or a clickable label or widget, as a person does.
void clickControl(QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
    else
        QTest::mouseClick(control, Qt::LeftButton);
}

// A list reply of the store or the services.
QByteArray listOf(const QJsonArray& entries)
{
    return StoreJson::list("local_list", entries);
}

QJsonObject downloadedAt(QJsonObject item, const QString& file)
{
    item.insert(QStringLiteral("uri"), QString());
    item.insert(QStringLiteral("uri1"), QString(dataDir + QLatin1Char('/') + file));
    return item;
}

QJsonObject withVideo(QJsonObject item, const QString& address)
{
    item.insert(QStringLiteral("video"), address);
    return item;
}

QJsonObject service(int id, const QString& status)
{
    QJsonObject entry = StoreJson::product(id, QStringLiteral("TELEHEALTH"), QStringLiteral("49.5"), status,
                                           QStringLiteral("Visit %1").arg(id));
    entry.insert(QStringLiteral("appoint"), QStringLiteral("0"));
    entry.insert(QStringLiteral("whatsapp"), QStringLiteral("12025550100"));
    return entry;
}

// Rows about what the member does in a loaded store, library, program list
// or services window; `media` serves the videos, outside the faults.
QList<WindowCase> followUpCases(const QString& media)
{
    using StoreJson::product;
    const auto nutrition = [](const QString& name) {
        return WindowCase{.name = name, .opens = Opens::Button, .button = "btnNutrition",
                          .kind = SubWindowKind::StoreNutrition, .back = "btnHome", .backTo = SubWindowKind::StoreWorkout};
    };
    const auto services = [](const QString& name) {
        return WindowCase{.name = name, .opens = Opens::Button, .button = "btnTele", .kind = SubWindowKind::Services,
                          .back = "btnHome", .backTo = SubWindowKind::StoreWorkout};
    };
    const QJsonObject video = downloadedAt(product(32, "NUTRITION_VIDEO", "9.99", "yes"), ".video32.mp4");
    const QJsonObject program = product(34, "PROGRAM", "49.99", "yes");
    const QJsonObject programVideo = downloadedAt(product(35, "WORKOUT", "0"), ".video35.mp4");
    const QString clip = QStringLiteral("http://%1/media/clip36.mp4").arg(media);
    QList<WindowCase> rows;
    WindowCase row = nutrition("cart, removing an entry");
    row.opens = Opens::Cart;
    row.loads = {{"getCheckout", listOf({product(31, "NUTRITION", "9.99")})}};
    row.asks = {"Remove Product 31 from the cart"};
    rows << row;

    row = nutrition("library, deleting a video");
    row.opens = Opens::Library;
    row.loads = {{"getLocalVideo", listOf({video})}};
    row.asks = {"Delete the downloaded video"};
    row.inModal = {"btnOk"};
    row.deletes = ".video32.mp4";
    rows << row;
    row.name = "library, cancelling a video";
    row.asks = {"Cancel the subscription"};
    rows << row;
    row.name = "library, cancelling a program";
    row.loads = {{"getLocalVideo", listOf({program})}};
    row.deletes = {};
    rows << row;

    row = nutrition("program videos from the library");
    row.opens = Opens::Library;
    row.loads = {{"getLocalVideo", listOf({program})}};
    row.asks = {"PROGRAM VIDEOS"};
    row.popup = "CqWndItems";
    rows << row;
    row.name = "program videos from the library, deleting one";
    row.loads << qMakePair(QString("getProgramVideos"), listOf({programVideo}));
    row.prepare = row.asks;
    row.asks = {"Delete the downloaded video"};
    row.inModal = {"btnOk"};
    row.deletes = ".video35.mp4";
    row.popup = {};
    rows << row;

    row = nutrition("program videos from the store");
    row.loads = {{"getVideos", listOf({program})}};
    row.asks = {"PROGRAM VIDEOS!"};
    row.popup = "CqWndItems";
    rows << row;
    row.name = "program videos from the store, downloading one";
    row.loads << qMakePair(QString("getProgramVideos"), listOf({withVideo(product(36, "WORKOUT", "0"), clip)}));
    row.prepare = row.asks;
    row.asks = {"DOWNLOAD NOW!"};
    row.popup = "CqWndVideoDownLoad";
    rows << row;
    row = nutrition("store, downloading a video");
    row.loads = {{"getVideos", listOf({withVideo(product(36, "NUTRITION_VIDEO", "9.99", "yes"), clip)})}};
    row.asks = {"DOWNLOAD NOW!"};
    row.popup = "CqWndVideoDownLoad";
    rows << row;

    row = services("service cart, removing an entry");
    row.loads = {{"getService", listOf({})}, {"getServiceCheckout", listOf({service(41, "no")})}};
    row.prepare = {"VIEW CART"};
    row.asks = {"Remove Visit 41 from the cart"};
    rows << row;
    row = services("service purchases, completing");
    row.loads = {{"getService", listOf({})}, {"getLocalService", listOf({service(42, "yes")})}};
    row.prepare = {"MY LIVE PURCHASE"};
    row.asks = {"COMPLETED"};
    row.inModal = {"btnOk"};
    rows << row;
    // The appointment is recorded as the member leaves the dialog; the
    // purchases are then asked for again.
    row = services("services, scheduling an appointment");
    row.loads = {{"getService", listOf({service(43, "yes")})}};
    row.asks = {"SCHEDULE"};
    row.inModal = {"btnWhatsapp", "btnClose"};
    rows << row;
    return rows;
}

QList<WindowCase> windowCases(const QString& media)
{
    using K = DialogFactory::Kind;
    return QList<WindowCase>{
        {"main window", Opens::MainWindow, "btnFood", SubWindowKind::StoreWorkout, {}, true, {}, SubWindowKind::PlannerHome},
        // The sample lists load in the background: nobody waits for them.
        {"planner home", Opens::Button, "btnFood", SubWindowKind::PlannerHome, {}, false, "btnSetting", SubWindowKind::Settings},
        {"nutrition store", Opens::Button, "btnNutrition", SubWindowKind::StoreNutrition, {}, true, "btnHome", SubWindowKind::StoreWorkout},
        {"coaching store", Opens::Button, "btnCoaching", SubWindowKind::StoreCoaching, {}, true, "btnHome", SubWindowKind::StoreWorkout},
        {"services", Opens::Button, "btnTele", SubWindowKind::Services, {}, true, "btnHome", SubWindowKind::StoreWorkout},
        {"weight", Opens::Button, "btnWeight", SubWindowKind::Weight, {}, true, "btnHome", SubWindowKind::PlannerHome},
        {"tracker", Opens::Tracker, {}, SubWindowKind::Tracker, {}, true, "btnHome", SubWindowKind::PlannerHome},
        {"history", Opens::History, {}, SubWindowKind::History, {}, true, "btnBack", SubWindowKind::Settings},
        // A day's meal is asked for once the member picks it.
        {"history details", Opens::Details, {}, SubWindowKind::HistoryDetails, {}, true, "btnBack", SubWindowKind::History,
         {"btnCategory", "widgetCategoryLunch"}},
        {"store cart", Opens::Cart, "btnNutrition", SubWindowKind::StoreNutrition, {}, true, "btnHome", SubWindowKind::StoreWorkout},
        {"store library", Opens::Library, "btnNutrition", SubWindowKind::StoreNutrition, {}, true, "btnHome", SubWindowKind::StoreWorkout},
        // The member's own food goes up when it is added to a loaded meal.
        {"tracker, own food", Opens::Tracker, {}, SubWindowKind::Tracker, {}, true, "btnHome", SubWindowKind::PlannerHome,
         {"btnAdd"}, {{"getFoodList", smallCatalogue()}}, {"btnCategory", "Fruits_1"},
         {{"edtName", "Soup"}, {"edtCal", "120"}, {"edtCarbs", "1"}, {"edtFat", "1"}, {"edtProtein", "1"}, {"edtFiber", "1"}}},
        {"about us", Opens::Dialog, {}, int(K::AboutUs), {}, true, {}, -1},
        {"invitations", Opens::Dialog, {}, int(K::Invite), 0, true, {}, -1},
        {"friends", Opens::Dialog, {}, int(K::Invite), 1, true, {}, -1},
        {"special offers", Opens::Dialog, {}, int(K::Specials), {}, true, {}, -1},
    } + followUpCases(media);
}

// What the member saw of one failed request.
struct Outcome
{
    bool opened = false;
    bool overlayEnded = false;
    QStringList told;     // message bar texts, or the dialog's status line
    bool answers = false; // home/back did its job
    bool closed = false;
    QString note;
};

QString describe(const QMap<QString, QVariant>& before, const QMap<QString, QVariant>& after)
{
    QStringList changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) != it.value())
            changed << QStringLiteral("%1=%2 (was %3)").arg(it.key(), it.value().toString(),
                                                          before.value(it.key()).toString());
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            changed << it.key() + QStringLiteral(" removed");
    }
    return changed.join(QStringLiteral("; "));
}

// What the member keeps: the local state without the reminder offer's own
// note of when the planner home was first seen, which a first visit writes
// whatever the service answers.
QMap<QString, QVariant> memberData()
{
    QMap<QString, QVariant> state = TestEnvironment::localState();
    state.removeIf([](const auto& entry) { return entry.key().contains(QLatin1String("/reminder_")); });
    return state;
}

} // namespace

Q_DECLARE_METATYPE(WindowCase)
Q_DECLARE_METATYPE(ServiceFault::Kind)

class TestFaultMatrix final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyWindowSurvivesEveryFault_data();
    void everyWindowSurvivesEveryFault();
    void renewalSurvivesEveryFault_data();
    void renewalSurvivesEveryFault();

public slots:
    // The desktop's URL handler while the test runs: nothing is opened.
    void openUrl(const QUrl&) {}

private:
    void showMainWindow(bool realWorkoutStore);
    QWidget* findControl(QWidget* window, const QString& name) const;
    void answerModals(const QStringList& buttons);
    QWidget* activeWindow() const;
    QWidget* kindWindow(int kind) const;
    Outcome runSubWindow(const WindowCase& row, ServiceFault::Kind fault, const std::function<void()>& faultNow);
    Outcome runDialog(const WindowCase& row);

    FakeServer m_server;
    FakeServer m_media; // the videos, which no fault touches
    std::unique_ptr<MainWindow> m_main;
    QPointer<QTimer> m_modalAnswers;
    QPointer<AppointmentRecorder> m_recorder;
    QStringList m_told;
    qsizetype m_requestsBefore = 0;
    std::unique_ptr<HistoryModel> m_day;
};

void TestFaultMatrix::initTestCase()
{
    const QByteArray shortWait = QByteArray::number(replyTimeoutMs);
    qputenv("OLVA_REPLY_TIMEOUT_MS", shortWait);
    qputenv("OLVA_TRACKER_TIMEOUT_MS", shortWait);
    qputenv("OLVA_STALL_TIMEOUT_MS", shortWait);
    qputenv("OLVA_TRANSFER_TIMEOUT_MS", "1500");
    TestEnvironment::isolate();
    CqWndItems::setReplyTimeout(replyTimeoutMs);
    CqWndServiceItem::setListTimeout(replyTimeoutMs);
    ListStatus::setStallTimeoutMs(replyTimeoutMs);
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    loadingWindow = new CqWndLoading;
    m_media.serveFile(QStringLiteral("/media/clip36.mp4"), QByteArray(64 * 1024, 'v'));
    for (const char* scheme : {"http", "https", "skype"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");

    // A member with a target and a tracked lunch: the record a failed request
    // must leave alone. The friends reminder is due, so the main window asks
    // for the joined friends at its first paint as well.
    currentEmail = QStringLiteral("faults@olva.test");
    currentUserId = QStringLiteral("41");
    currentUserName = QStringLiteral("Fault Tester");
    currentCheckDay = QStringLiteral("2000-01-01");
    totalCalories = 2000;
    remainCalories = 1400;
    Utils* utils = Utils::instance();
    utils->saveTotalCalories();
    utils->saveRemainCalories();
    utils->setMemberValue(QStringLiteral("Cal_2"), QStringLiteral("600"));
    utils->setMemberValue(QStringLiteral("meal_2_3"), QStringLiteral("12:600:1"));
    // Today's day, so the main window's start-up has no day to close.
    utils->setMemberValue(QStringLiteral("daydate"), QDate::currentDate().toString(Qt::ISODate));

    m_day = std::make_unique<HistoryModel>();
    m_day->id = 7;
    m_day->date = 1709640000000LL;
    m_day->total = QStringLiteral("1200");
    m_day->remain = QStringLiteral("800");

    // The main window's own requests answer plainly outside the faults.
    m_server.setDefaultReply(QStringLiteral("/api/specialOffer"),
                             FakeServer::Reply::json(R"({"result_code":1,"message":"No offer"})"));
    m_server.setDefaultReply(QStringLiteral("/api/getRealFriends"),
                             FakeServer::Reply::json(R"({"result_code":1,"message":"No friends"})"));
    // The lists a follow-up row passes on its way are empty.
    for (const char* endpoint : {"getVideos", "getService", "getLocalService", "getServiceCheckout"})
        m_server.setDefaultReply(QStringLiteral("/api/") + QLatin1String(endpoint),
                                 FakeServer::Reply::json(listOf({})));

    const qsizetype rows = windowCases(m_media.hostAndPort()).size();
    const int faults = int(ServiceFault::all().size());
    qInfo("fault matrix: %d windows and follow-ups x %d faults = %d cases, and the background renewal x %d faults",
          int(rows), faults, int(rows) * faults, faults);
}

void TestFaultMatrix::cleanup()
{
    ServiceFault::lift(m_server);
    delete m_modalAnswers;
    TestEnvironment::closeModals();
    m_main.reset();
    if (loadingWindow->isLoading())
        loadingWindow->stopLoading();
    // Windows a row opened on their own (the daily target, the player).
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != loadingWindow && window->isVisible())
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile::remove(DownloadManagerHTTP::localPathFor(m_media.url(QStringLiteral("/media/clip36.mp4")), dataDir));
    m_told.clear();
}

void TestFaultMatrix::everyWindowSurvivesEveryFault_data()
{
    QTest::addColumn<WindowCase>("row");
    QTest::addColumn<ServiceFault::Kind>("fault");
    for (const WindowCase& row : windowCases(m_media.hostAndPort())) {
        for (ServiceFault::Kind fault : ServiceFault::all())
            QTest::addRow("%s / %s", qPrintable(row.name), qPrintable(ServiceFault::name(fault))) << row << fault;
    }
}

void TestFaultMatrix::everyWindowSurvivesEveryFault()
{
    QFETCH(WindowCase, row);
    QFETCH(ServiceFault::Kind, fault);

    const QString downloaded = row.deletes.isEmpty() ? QString() : dataDir + QLatin1Char('/') + row.deletes;
    if (!downloaded.isEmpty()) {
        QFile file(downloaded);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("video") == 5);
    }
    m_recorder.clear();

    QMap<QString, QVariant> before;
    if (row.opens == Opens::MainWindow) {
        // Its requests go out at its first paint: the fault comes first.
        before = memberData();
        m_requestsBefore = m_server.requests().size();
        ServiceFault::apply(fault, m_server);
        showMainWindow(true);
    } else {
        showMainWindow(false);
        QVERIFY(m_server.waitForRequests(QStringLiteral("/api/specialOffer"), 1));
        QTRY_VERIFY(m_told.isEmpty() && !loadingWindow->isLoading());
        for (const auto& [endpoint, reply] : std::as_const(row.loads))
            m_server.enqueueJson(endpoint, reply);
    }
    const auto faultNow = [&] {
        before = memberData();
        m_requestsBefore = m_server.requests().size();
        ServiceFault::apply(fault, m_server);
    };
    if (row.opens != Opens::MainWindow && row.loads.isEmpty())
        faultNow();

    const Outcome seen = row.opens == Opens::Dialog ? runDialog(row) : runSubWindow(row, fault, faultNow);

    QVERIFY2(seen.opened, qPrintable(seen.note));
    if (fault != ServiceFault::Kind::Refused)
        QVERIFY2(m_server.requests().size() > m_requestsBefore, "the window sent no request");
    QVERIFY2(seen.overlayEnded, "the busy overlay stayed up");
    if (row.waits)
        QVERIFY2(!seen.told.isEmpty(), "the member was not told that the request failed");
    QVERIFY2(seen.answers, qPrintable(QStringLiteral("the window no longer answers: ") + seen.note));
    QVERIFY2(seen.closed, "the window could not be closed");
    const QMap<QString, QVariant> after = memberData();
    QVERIFY2(after == before, qPrintable(QStringLiteral("local state changed: ") + describe(before, after)));
    if (!downloaded.isEmpty())
        QVERIFY2(!QFile::exists(downloaded), "the video the member deleted is still there");
    // What recorded an appointment goes, answered or not.
    QVERIFY(!m_recorder || QTest::qWaitFor([this] { return !m_recorder; }, 3000));
}

void TestFaultMatrix::renewalSurvivesEveryFault_data()
{
    QTest::addColumn<ServiceFault::Kind>("fault");
    for (ServiceFault::Kind fault : ServiceFault::all())
        QTest::addRow("%s", qPrintable(ServiceFault::name(fault))) << fault;
}

// A library list renews a lapsed subscription in the background: whatever
// goes wrong, the renewal ends, renews nothing, cancels nothing (only a
// declined card cancels) and leaves the record alone.
void TestFaultMatrix::renewalSurvivesEveryFault()
{
    QFETCH(ServiceFault::Kind, fault);
    SubscriptionRenewal* renewal = SubscriptionRenewal::instance();
    QSignalSpy renewed(renewal, &SubscriptionRenewal::renewed);
    QSignalSpy failed(renewal, &SubscriptionRenewal::failed);
    QSignalSpy cancelled(renewal, &SubscriptionRenewal::cancelled);
    const QMap<QString, QVariant> before = TestEnvironment::localState();
    ServiceFault::apply(fault, m_server);
    const int id = 60 + int(fault);
    QVERIFY(renewal->renew(RenewalItem{id, QStringLiteral("PROGRAM"), QStringLiteral("Program"), 49.99, 1, 0}));
    const int cancellations = m_server.requestCount(QStringLiteral("/api/removeSubscription"));
    QTRY_VERIFY_WITH_TIMEOUT(!renewal->isRenewing(id), 5000);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(cancelled.count(), 0);
    QCOMPARE(renewed.count(), 0);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/removeSubscription")), cancellations);
    QCOMPARE(TestEnvironment::localState(), before);
}

void TestFaultMatrix::showMainWindow(bool realWorkoutStore)
{
    for (int kind = 0; kind < SubWindowKind::Count; ++kind)
        SubWindowFactory::unregisterKind(kind);
    registerFeatureWindows();
    if (!realWorkoutStore) {
        // The first paint opens the workout store; rows about other windows
        // do not need its list.
        SubWindowFactory::registerKind(SubWindowKind::StoreWorkout, [] {
            auto* stand = new QWidget;
            stand->setObjectName(QStringLiteral("workoutStandIn"));
            return stand;
        });
    }
    m_main = std::make_unique<MainWindow>();
    connect(m_main->messageBar(), &QtMaterialSnackbar::messageShown, this,
            [this](const QString& text) { m_told.append(text); });
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

QWidget* TestFaultMatrix::activeWindow() const
{
    QMdiSubWindow* sub = m_main->findChild<QMdiArea*>()->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

// The kept window of `kind`, without creating one.
QWidget* TestFaultMatrix::kindWindow(int kind) const
{
    for (QMdiSubWindow* sub : m_main->findChild<QMdiArea*>()->subWindowList()) {
        if (sub == m_main->subWindow(kind))
            return sub->widget();
    }
    return nullptr;
}

Outcome TestFaultMatrix::runSubWindow(const WindowCase& row, ServiceFault::Kind fault,
                                      const std::function<void()>& faultNow)
{
    Outcome seen;
    switch (row.opens) {
    case Opens::MainWindow:
        break;
    case Opens::Button:
        if (auto* button = m_main->findChild<QAbstractButton*>(row.button))
            button->click();
        break;
    case Opens::Tracker:
        m_main->showTracker(2);
        break;
    case Opens::History:
        m_main->showHistory();
        break;
    case Opens::Details:
        m_main->showHistoryDetails(m_day.get());
        break;
    case Opens::Cart:
    case Opens::Library:
        if (auto* button = m_main->findChild<QAbstractButton*>(row.button))
            button->click();
        // The store's own list fails first; its cart or library is asked for
        // once the member can move on.
        std::ignore = QTest::qWaitFor([] { return !loadingWindow->isLoading(); }, 5000);
        if (row.opens == Opens::Cart)
            m_main->showCart();
        else
            m_main->showLibrary();
        break;
    case Opens::Dialog:
        return seen;
    }
    // The first paint, or the button's slot, may still be on its way.
    seen.opened = QTest::qWaitFor([&] { return activeWindow() && activeWindow() == kindWindow(row.kind); }, 2000);
    QPointer<QWidget> window = activeWindow();
    if (!seen.opened) {
        seen.note = QStringLiteral("the window of kind %1 did not open").arg(row.kind);
        return seen;
    }

    if (!row.loads.isEmpty()) {
        for (const QString& name : row.prepare) {
            QWidget* control = nullptr;
            std::ignore = QTest::qWaitFor([&] { return (control = findControl(window, name)) != nullptr; }, 3000);
            if (!control) {
                seen.opened = false;
                seen.note = name + QStringLiteral(" never appeared");
                return seen;
            }
            clickControl(control);
        }
        for (const auto& [field, text] : std::as_const(row.typed)) {
            if (auto* edit = window->findChild<QLineEdit*>(field))
                edit->setText(text);
        }
        // The fault hits what the member does next, once everything before
        // it has loaded.
        std::ignore = QTest::qWaitFor([&] {
            return !loadingWindow->isLoading()
                && std::all_of(row.asks.cbegin(), row.asks.cend(), [&](const QString& name) {
                       return findControl(window, name) != nullptr;
                   });
        }, 3000);
        if (!m_told.isEmpty()) {
            seen.opened = false;
            seen.note = QStringLiteral("told before the fault: ") + m_told.join(QStringLiteral("; "));
            return seen;
        }
        faultNow();
    }
    if (!row.inModal.isEmpty())
        answerModals(row.inModal);
    const QWidgetList windowsBefore = QApplication::topLevelWidgets();
    for (const QString& name : row.asks) {
        QWidget* control = findControl(window, name);
        if (!control) {
            seen.opened = false;
            seen.note = name + QStringLiteral(" not found");
            return seen;
        }
        clickControl(control);
    }
    QPointer<QWidget> popup;
    if (!row.popup.isEmpty()) {
        std::ignore = QTest::qWaitFor([&] {
            for (QWidget* candidate : QApplication::topLevelWidgets()) {
                if (!windowsBefore.contains(candidate) && candidate->isVisible()
                    && row.popup == QLatin1String(candidate->metaObject()->className()))
                    popup = candidate;
            }
            return !popup.isNull();
        }, 3000);
        if (!popup) {
            seen.opened = false;
            seen.note = row.popup + QStringLiteral(" did not open");
            return seen;
        }
    }
    // A download window tells its member on its own status line.
    const auto popupTold = [&popup] {
        auto* status = popup ? popup->findChild<QLabel*>(QStringLiteral("lblStatus")) : nullptr;
        return status && status->isVisible() ? status->text() : QString();
    };

    // Whatever the window asked for has gone out (a refused connection
    // never reaches the server).
    if (fault != ServiceFault::Kind::Refused)
        std::ignore = QTest::qWaitFor([this] { return m_server.requests().size() > m_requestsBefore; }, 2000);
    seen.overlayEnded = QTest::qWaitFor([] { return !loadingWindow->isLoading(); }, 5000);
    if (row.waits) {
        std::ignore = QTest::qWaitFor([&] {
            return !m_told.isEmpty() || !m_main->messageBar()->messages().isEmpty() || !popupTold().isEmpty();
        }, 5000);
    }
    seen.told = m_told + m_main->messageBar()->messages();
    if (!popupTold().isEmpty())
        seen.told << popupTold();
    if (popup) {
        auto* download = qobject_cast<CqWndVideoDownLoad*>(popup.data());
        if (!popup->isEnabled() || (download && !QFile::exists(download->filePath()))) {
            seen.note = QStringLiteral("the download window is disabled or lost its file");
            return seen;
        }
        popup->close();
        if (!QTest::qWaitFor([&popup] { return !popup || !popup->isVisible(); }, 2000)) {
            seen.note = QStringLiteral("the new window could not be closed");
            return seen;
        }
    }

    // Home or back leads where it always does.
    if (row.opens == Opens::MainWindow) {
        if (auto* button = m_main->findChild<QAbstractButton*>(row.button))
            button->click();
    } else if (auto* back = window->findChild<QAbstractButton*>(row.back)) {
        back->click();
    } else {
        seen.note = row.back + QStringLiteral(" not found");
    }
    QWidget* shown = activeWindow();
    seen.answers = shown && shown == kindWindow(row.backTo);
    if (!seen.answers && seen.note.isEmpty())
        seen.note = QStringLiteral("%1 showed %2").arg(row.back, shown ? QString::fromLatin1(shown->metaObject()->className())
                                                                      : QStringLiteral("nothing"));

    // And the window closes, with whatever it still waits for.
    if (window) {
        for (QMdiSubWindow* sub : m_main->findChild<QMdiArea*>()->subWindowList()) {
            if (sub->widget() == window)
                sub->close();
        }
    }
    seen.closed = QTest::qWaitFor([&window] { return !window || !window->isVisible(); }, 2000);
    // Where back led may load a list of its own under the same fault.
    seen.overlayEnded = seen.overlayEnded && QTest::qWaitFor([] { return !loadingWindow->isLoading(); }, 5000);
    return seen;
}

// Runs the dialog as the main window does and looks at it from inside its
// modal loop.
Outcome TestFaultMatrix::runDialog(const WindowCase& row)
{
    Outcome seen;
    // A dialog that refuses to close must fail the row, not hang the run.
    QTimer safetyNet;
    safetyNet.setSingleShot(true);
    connect(&safetyNet, &QTimer::timeout, this, [] { TestEnvironment::closeModals(); });
    QTimer::singleShot(0, this, [&seen, &safetyNet] {
        std::ignore = QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000);
        QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        seen.opened = dialog;
        if (!dialog) {
            seen.note = QStringLiteral("no dialog opened");
            return;
        }
        auto* status = dialog->findChild<QLabel*>(QStringLiteral("lblStatus"));
        const auto settled = [status] {
            return status && !status->text().isEmpty() && status->text() != ListStatus::loadingText();
        };
        std::ignore = QTest::qWaitFor(settled, 5000);
        seen.overlayEnded = !loadingWindow->isLoading();
        if (settled() && status->isVisible())
            seen.told << status->text();
        seen.answers = dialog->isEnabled() && dialog->isVisible();
        safetyNet.start(2000);
        dialog->close();
        seen.closed = !dialog || !dialog->isVisible();
    });
    DialogFactory::run(DialogFactory::Kind(row.kind), row.argument);
    safetyNet.stop();
    return seen;
}

// A control by object name, accessible name or text; in the windows that
// opened on their own first, then in `window`. Visible ones only.
QWidget* TestFaultMatrix::findControl(QWidget* window, const QString& name) const
{
    QWidgetList places;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top != m_main.get() && top != loadingWindow && !top->isModal())
            places << top;
    }
    places << window;
    for (QWidget* place : std::as_const(places)) {
        if (!place)
            continue;
        for (QWidget* control : place->findChildren<QWidget*>()) {
            const auto* button = qobject_cast<QAbstractButton*>(control);
            if (control->isVisible()
                && (control->objectName() == name || control->accessibleName() == name
                    || (button && button->text() == name)))
                return control;
        }
    }
    return nullptr;
}

// Clicks `buttons` in order in the modal dialogs that open from now on.
void TestFaultMatrix::answerModals(const QStringList& buttons)
{
    m_modalAnswers = new QTimer(this);
    m_modalAnswers->setInterval(20);
    connect(m_modalAnswers, &QTimer::timeout, this, [this, buttons, next = qsizetype(0)]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        if (auto* info = qobject_cast<CqDlgServiceInfo*>(dialog))
            m_recorder = info->recorder();
        auto* button = dialog->findChild<QAbstractButton*>(buttons.at(next));
        if (!button || !button->isVisible() || !button->isEnabled())
            return;
        if (++next == buttons.size())
            m_modalAnswers->deleteLater();
        button->click();
    });
    m_modalAnswers->start();
}

QTEST_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
