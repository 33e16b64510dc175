#include "account/cqdlgforget.h"
#include "account/cqdlglogin.h"
#include "account/cqdlgpin.h"
#include "account/cqdlgpassword.h"
#include "account/cqdlgsignup.h"
#include "app/accountstate.h"
#include "app/utils.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "servicefault.h"
#include "store/cqdlgbuy.h"
#include "store/cqdlgbuy1.h"
#include "store/cqdlgcard.h"
#include "store/paymentkeeper.h"
#include "store/productitem.h"
#include "testenvironment.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>
#include <tuple>

namespace {

constexpr int replyTimeoutMs = 300;
// How long a silent connection lasts before it is given up.
constexpr int transferTimeoutMs = 1500;

// A dialog that sends a request when the member presses its button.
struct ActionCase
{
    QString name;
    std::function<QDialog*()> make;
    QList<QPair<QString, QString>> typed; // line edit, text
    QString tick;                         // check box to tick first
    QString send;                         // the button that sends
    QString leave;                        // the button that closes the dialog
    // Tells the member about every failure; the account dialogs only
    // re-enable themselves after an error (the member simply tries again) and
    // speak up only when the server does not answer at all.
    bool toldOnEveryFault;
    // A result code it does not know counts as a refusal that ends the
    // dialog (the cart's "You have carted already.").
    bool closesOnUnknownCode = false;
    // While the request may still go through (a payment), the button stays
    // closed until the connection gives up.
    bool holdsWhileUnanswered = false;
    // Verify mode: the dialog sends as it shows. With `code`, that request
    // is answered with the mailed code, the member types it, and the fault
    // hits the registration the code dialog leads to.
    bool sendsOnShow = false;
    QString code = {};
};

} // namespace

Q_DECLARE_METATYPE(ActionCase)
Q_DECLARE_METATYPE(ServiceFault::Kind)

class TestFaultActions final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyActionSurvivesEveryFault_data();
    void everyActionSurvivesEveryFault();
    void lateApprovalStillRecordsThePurchase();
    void cartedAlreadyAfterAnUnansweredRequest_data();
    void cartedAlreadyAfterAnUnansweredRequest();

private:
    QList<ActionCase> actionCases();

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
    ProductItem m_product;
    QMap<int, ProductItem> m_cart;
};

QList<ActionCase> TestFaultActions::actionCases()
{
    const QList<QPair<QString, QString>> card = {{"edtCard1", "4111"}, {"edtCard2", "1111"}, {"edtCard3", "1111"},
                                                 {"edtCard4", "1111"}, {"edtMoth", "12"},    {"edtYear", "30"},
                                                 {"edtCvv", "123"}};
    QtMaterialSnackbar* bar = m_main->messageBar();
    return {
        {"sign-in", [] { return new CqDlgLogin; }, {{"edtEmail", "ann@example.com"}, {"edtPassword", "pw"}}, {},
         "btnLogin", "btnClose", false},
        {.name = "device check", .make = [] { return new CqDlgLogin(QStringLiteral("verify")); }, .send = "btnLogin",
         .leave = "btnClose", .toldOnEveryFault = false, .sendsOnShow = true},
        {.name = "device registration", .make = [] { return new CqDlgLogin(QStringLiteral("verify")); },
         .send = "btnLogin", .leave = "btnClose", .toldOnEveryFault = false, .sendsOnShow = true, .code = "12345678"},
        {"sign-up", [] { return new CqDlgSignUp; },
         {{"edtName", "Ann"}, {"edtEmail", "ann@example.com"}, {"edtPassword", "pw"}, {"edtConfirm", "pw"}},
         "chkPolicy", "btnSignUp", "btnClose", false},
        {"forgotten password", [bar] { return new CqDlgForget(bar); }, {{"edtEmail", "ann@example.com"}}, {},
         "btnOk", "btnCancel", false},
        {"new password", [bar] { return new CqDlgPassword(bar, QStringLiteral("12345678")); },
         {{"edtPin", "12345678"}, {"edtPassword", "new-pw"}, {"edtConfirm", "new-pw"}}, {}, "btnOk", "btnCancel",
         false},
        {"add to cart", [this] { return new CqDlgBuy(m_product); }, {}, {}, "btnOk", "btnCancel", true, true},
        {"book a service",
         [] {
             return new CqDlgBuy1(QJsonObject{{"id", "5"}, {"title", "Telehealth visit"}, {"price", "49.5"}});
         },
         {}, {}, "btnOk", "btnCancel", true, true},
        {"card payment", [this] { return new CqDlgCard(m_cart, 4); }, card, {}, "btnOk", "btnCancel", true, false,
         true},
    };
}

void TestFaultActions::initTestCase()
{
    qputenv("OLVA_REPLY_TIMEOUT_MS", QByteArray::number(replyTimeoutMs));
    qputenv("OLVA_TRANSFER_TIMEOUT_MS", QByteArray::number(transferTimeoutMs));
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    loadingWindow = new CqWndLoading;
    currentEmail = QStringLiteral("faults@olva.test");
    currentUserId = QStringLiteral("41");
    totalCalories = 2000;
    remainCalories = 1400;
    Utils::instance()->saveTotalCalories();
    Utils::instance()->saveRemainCalories();
    Utils::instance()->setMemberValue(QStringLiteral("Cal_2"), QStringLiteral("600"));

    m_product.id = 3;
    m_product.title = QStringLiteral("Morning workout");
    m_product.price = 19.99;
    m_product.type = QStringLiteral("WORKOUT");
    m_cart.insert(m_product.id, m_product);

    init(); // the rows are listed with the main window's message bar
    qInfo("fault matrix of actions: %d dialogs x %d faults = %d cases", int(actionCases().size()),
          int(ServiceFault::all().size()), int(actionCases().size() * ServiceFault::all().size()));
}

// Where the store dialogs post their messages, empty for every row; never shown.
void TestFaultActions::init()
{
    // Each row pays for the same cart: a payment one row left unanswered
    // must not carry on into the next.
    PaymentKeeper::instance().clear();
    m_main.reset();
    m_main = std::make_unique<MainWindow>();
}

void TestFaultActions::cleanup()
{
    ServiceFault::lift(m_server);
    TestEnvironment::closeModals();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFaultActions::everyActionSurvivesEveryFault_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ServiceFault::Kind>("fault");
    for (const ActionCase& row : actionCases()) {
        for (ServiceFault::Kind fault : ServiceFault::all())
            QTest::addRow("%s / %s", qPrintable(row.name), qPrintable(ServiceFault::name(fault))) << row.name << fault;
    }
}

void TestFaultActions::everyActionSurvivesEveryFault()
{
    QFETCH(QString, name);
    QFETCH(ServiceFault::Kind, fault);
    ActionCase row;
    for (const ActionCase& candidate : actionCases()) {
        if (candidate.name == name)
            row = candidate;
    }
    QVERIFY(row.make);

    std::unique_ptr<QDialog> dialog(row.make());
    if (!row.sendsOnShow) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    for (const auto& [field, text] : std::as_const(row.typed)) {
        auto* edit = dialog->findChild<QLineEdit*>(field);
        QVERIFY2(edit, qPrintable(field));
        edit->setText(text);
    }
    if (!row.tick.isEmpty())
        dialog->findChild<QCheckBox*>(row.tick)->setChecked(true);
    auto* send = dialog->findChild<QAbstractButton*>(row.send);
    QPointer<QAbstractButton> leave = dialog->findChild<QAbstractButton*>(row.leave);
    QVERIFY(send && leave);

    // Every message bar the member could read, and every reply that ended.
    QStringList told;
    QList<QtMaterialSnackbar*> bars = dialog->findChildren<QtMaterialSnackbar*>();
    bars << m_main->messageBar();
    for (QtMaterialSnackbar* bar : std::as_const(bars))
        connect(bar, &QtMaterialSnackbar::messageShown, dialog.get(), [&told](const QString& text) { told << text; });
    const auto toldNow = [&] {
        QStringList all = told;
        for (QtMaterialSnackbar* bar : std::as_const(bars))
            all << bar->messages();
        return all;
    };
    int ended = 0;
    for (auto* network : dialog->findChildren<QNetworkAccessManager*>())
        connect(network, &QNetworkAccessManager::finished, dialog.get(), [&ended] { ++ended; });

    QMap<QString, QVariant> before;
    qsizetype requestsBefore = 0;
    const auto faultNow = [&] {
        before = TestEnvironment::localState();
        requestsBefore = m_server.requests().size();
        ended = 0;
        ServiceFault::apply(fault, m_server);
    };
    QTimer codeTyping;
    if (row.code.isEmpty()) {
        faultNow();
    } else {
        m_server.enqueueJson(QStringLiteral("verifyDevice"),
                             QJsonDocument(QJsonObject{{"result_code", 0}, {"pincode", row.code}}).toJson());
        connect(&codeTyping, &QTimer::timeout, this, [&] {
            auto* pin = qobject_cast<CqDlgPin*>(QApplication::activeModalWidget());
            if (!pin)
                return;
            codeTyping.stop();
            pin->findChild<QLineEdit*>(QStringLiteral("edtPin"))->setText(row.code);
            faultNow();
            pin->findChild<QAbstractButton*>(QStringLiteral("btnOk"))->click();
        });
        codeTyping.start(20);
    }
    if (row.sendsOnShow)
        dialog->show();
    else
        send->click();
    if (!row.code.isEmpty())
        QTRY_VERIFY2(!codeTyping.isActive(), "the code dialog did not open");

    if (fault == ServiceFault::Kind::Stall) {
        QVERIFY(QTest::qWaitFor([&] { return m_server.requests().size() > requestsBefore; }, 3000));
        QTRY_VERIFY2_WITH_TIMEOUT(!toldNow().isEmpty(), "an unanswered request was not told", 3000);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(ended > 0, 3000);
        if (fault != ServiceFault::Kind::Refused)
            QVERIFY(m_server.requests().size() > requestsBefore);
        if (row.toldOnEveryFault)
            QTRY_VERIFY2(!toldNow().isEmpty(), "the member was not told that the request failed");
    }
    QCOMPARE(TestEnvironment::localState(), before);

    if (row.closesOnUnknownCode && fault == ServiceFault::Kind::UnexpectedCode) {
        QTRY_VERIFY(!dialog->isVisible());
        return;
    }

    if (row.holdsWhileUnanswered && fault == ServiceFault::Kind::Stall) {
        // The card may still be charged: PAY stays closed, Cancel does not,
        // until the silent connection is given up.
        QVERIFY2(!send->isEnabled() && leave->isEnabled(), "an unanswered payment may be sent twice");
        QTRY_VERIFY_WITH_TIMEOUT(send->isEnabled(), transferTimeoutMs * 4);
    }

    // Still answers: the button sends again, the dialog can be left.
    QVERIFY(dialog->isVisible());
    QVERIFY2(send->isEnabled() && leave->isEnabled(), "the dialog stayed disabled");
    ServiceFault::lift(m_server);
    const qsizetype requestsAfter = m_server.requests().size();
    send->click();
    QVERIFY2(QTest::qWaitFor([&] { return m_server.requests().size() > requestsAfter; }, 3000),
             "the button sends no more");
    QTRY_VERIFY(send->isEnabled());
    leave->click();
    QTRY_VERIFY(!dialog->isVisible());
}

// The card was charged after the dialog had given up waiting: the purchase
// is recorded all the same, so the member does not pay for nothing.
void TestFaultActions::lateApprovalStillRecordsThePurchase()
{
    m_server.enqueue(QStringLiteral("/api/paymentProcess"),
                     FakeServer::Reply::json(R"({"result_code":0})", replyTimeoutMs * 3));
    m_server.enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":0})");
    CqDlgCard dialog(m_cart, 4);
    dialog.show();
    for (const auto& [field, text] : QList<QPair<QString, QString>>{{"edtCard1", "4111"}, {"edtCard2", "1111"},
                                                                    {"edtCard3", "1111"}, {"edtCard4", "1111"},
                                                                    {"edtMoth", "12"}, {"edtYear", "30"},
                                                                    {"edtCvv", "123"}})
        dialog.findChild<QLineEdit*>(field)->setText(text);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    auto* pay = dialog.findChild<QAbstractButton*>(QStringLiteral("btnOk"));
    const int payments = m_server.requestCount(QStringLiteral("/api/paymentProcess"));
    const int purchases = m_server.requestCount(QStringLiteral("/api/setPurchase"));
    pay->click();
    // Past the deadline the member is told, and PAY stays closed: the card
    // may be charged at any moment.
    QTRY_VERIFY(!m_main->messageBar()->messages().isEmpty());
    QVERIFY(!pay->isEnabled());
    QCOMPARE(accepted.count(), 0);
    // The approval arrives late and the purchase is recorded once.
    QVERIFY(m_server.waitForRequests(QStringLiteral("/api/setPurchase"), purchases + 1, 5000));
    QTRY_COMPARE(accepted.count(), 1);
    QVERIFY(dialog.paymentApproved());
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/paymentProcess")), payments + 1);
}

void TestFaultActions::cartedAlreadyAfterAnUnansweredRequest_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::newRow("product") << QStringLiteral("setCheckout");
    QTest::newRow("service") << QStringLiteral("setServiceCheckout");
}

// The first request put the entry in, but its answer never came; the second
// finds it in the cart already: the member has what they asked for.
void TestFaultActions::cartedAlreadyAfterAnUnansweredRequest()
{
    QFETCH(QString, endpoint);
    m_server.enqueue(QStringLiteral("/api/") + endpoint, FakeServer::Reply::hang());
    m_server.enqueueJson(endpoint, R"({"result_code":1,"message":"Already in the cart"})");
    std::unique_ptr<QDialog> dialog;
    if (endpoint == QLatin1String("setCheckout"))
        dialog = std::make_unique<CqDlgBuy>(m_product);
    else
        dialog = std::make_unique<CqDlgBuy1>(QJsonObject{{"id", "5"}, {"title", "Telehealth visit"}, {"price", "49.5"}});
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->show();
    auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("btnOk"));
    ok->click();
    QTRY_VERIFY(!m_main->messageBar()->messages().isEmpty());
    ok->click();
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
    QVERIFY(!m_main->messageBar()->messages().contains(QStringLiteral("You have carted already.")));
}

QTEST_MAIN(TestFaultActions)
#include "tst_faultactions.moc"
