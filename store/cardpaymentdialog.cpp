#include "store/cardpaymentdialog.h"

#include "account/accountlook.h"
#include "app/accountstate.h"
#include "app/server.h"
#include "app/settingsstore.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "store/cartreply.h"
#include "store/checkoutchecks.h"
#include "store/paymentkeeper.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"
#include "store/storeendpoint.h"
#include "ui_cqdlgcard.h"

#include <QDateTime>
#include <QRegularExpressionValidator>

namespace {

QString paymentErrorText()
{
    return CardPaymentDialog::tr("Payment Error, Something Wrong. Try again.");
}

QString purchaseErrorText()
{
    return CardPaymentDialog::tr("Something wrong.");
}

// Said after it: the member must not think the card has to be charged again.
QString paymentKeptText()
{
    return CardPaymentDialog::tr(
        "Your payment went through; press PAY to record the purchase. Your card will not be charged again.");
}

QString pendingText()
{
    return CardPaymentDialog::tr(
        "The payment has not been answered yet. Please wait here: if it goes through, the purchase is recorded and "
        "your card will not be charged twice.");
}

QString resumedText()
{
    return CardPaymentDialog::tr(
        "Your payment went through already. Press PAY to record the purchase; your card will not be charged again.");
}

// The answer to the payment was lost: it may have gone through.
QString sameAgainText()
{
    return CardPaymentDialog::tr(
        "Press PAY to send the same payment again: if it went through, your card will not be charged twice.");
}

QString resendText()
{
    return CardPaymentDialog::tr(
        "Your last payment for this cart got no answer. Press PAY to send it again; your card will not be charged "
        "twice.");
}

} // namespace

CardPaymentDialog::CardPaymentDialog(const QString& keeperKey, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgCard>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_key(keeperKey)
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    connect(m_server, SIGNAL(sig_net_payment(QString)), this, SLOT(slt_net_payment(QString)));
    connect(m_server, SIGNAL(sig_net_paymentstate(QString)), this, SLOT(slt_net_paymentstate(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        if (m_waiting != Waiting::Payment) {
            slt_net_error(QString());
            return;
        }
        // The card may be charged at any moment: PAY stays closed until the
        // payment ends one way or the other (the connection gives up on its
        // own after a long silence), so that a second press cannot charge
        // the card twice. Cancel still leaves.
        m_pastDeadline = true;
        MainWindow::instance()->showMessage(pendingText());
    });

    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d+")), this);
    const QList<QLineEdit*> boxes = {m_ui->edtCard1, m_ui->edtCard2, m_ui->edtCard3, m_ui->edtCard4,
                                     m_ui->edtMoth,  m_ui->edtYear,  m_ui->edtCvv};
    for (QLineEdit* box : boxes)
        box->setValidator(digits);
    for (int part = 0; part < 4; ++part)
        boxes.at(part)->setAccessibleName(tr("Card number, digits %1 to %2").arg(part * 4 + 1).arg(part * 4 + 4));
    m_ui->edtCvv->setEchoMode(QLineEdit::Password);
    m_ui->edtCard1->setFocus();

    // A payment of this cart from an earlier dialog carries on here.
    switch (PaymentKeeper::instance().state(m_key)) {
    case PaymentKeeper::State::Approved:
        m_approved = true;
        lockCard(true);
        m_ui->btnOk->setFocus();
        MainWindow::instance()->showMessage(resumedText());
        break;
    case PaymentKeeper::State::Sent:
        lockCard(true);
        m_ui->btnOk->setFocus();
        MainWindow::instance()->showMessage(resendText());
        break;
    case PaymentKeeper::State::None:
        break;
    }
}

CardPaymentDialog::~CardPaymentDialog() = default;

bool CardPaymentDialog::paymentUnanswered() const
{
    return PaymentKeeper::instance().state(m_key) == PaymentKeeper::State::Sent;
}

void CardPaymentDialog::advance(const QString& text, QLineEdit* next)
{
    if (text.size() < 4)
        return;
    next->setFocus();
    next->selectAll();
}

void CardPaymentDialog::on_edtCard1_textChanged(const QString& text)
{
    advance(text, m_ui->edtCard2);
}

void CardPaymentDialog::on_edtCard2_textChanged(const QString& text)
{
    advance(text, m_ui->edtCard3);
}

void CardPaymentDialog::on_edtCard3_textChanged(const QString& text)
{
    advance(text, m_ui->edtCard4);
}

void CardPaymentDialog::on_edtCard4_textChanged(const QString& text)
{
    advance(text, m_ui->edtMoth);
}

void CardPaymentDialog::lockCard(bool locked)
{
    // What PAY sends no longer comes from the boxes.
    for (QLineEdit* box : {m_ui->edtCard1, m_ui->edtCard2, m_ui->edtCard3, m_ui->edtCard4, m_ui->edtMoth,
                           m_ui->edtYear, m_ui->edtCvv})
        box->setEnabled(!locked);
}

void CardPaymentDialog::setWaiting(Waiting waiting)
{
    m_waiting = waiting;
    const bool busy = waiting != Waiting::Nothing;
    if (busy)
        m_deadline->start();
    else
        m_deadline->stop();
    m_ui->btnOk->setEnabled(!busy);
    m_ui->btnOk->setText(busy ? tr("WAIT") : tr("PAY"));
}

void CardPaymentDialog::on_btnOk_clicked()
{
    if (m_waiting != Waiting::Nothing)
        return;
    const PaymentKeeper::Payment kept = PaymentKeeper::instance().payment(m_key);
    if (kept.state == PaymentKeeper::State::Approved) {
        // The card was charged already; only the purchase record is missing,
        // unless the record went through late or the payment was refunded
        // since: ask the service first.
        const QUrlQuery check = PaymentKeeper::instance().checkFields(m_key, currentUserId);
        if (check.isEmpty()) {
            sendPurchase();
            return;
        }
        setWaiting(Waiting::Check);
        m_server->request(storeEndpoint(QStringLiteral("getPaymentState")), check);
        return;
    }
    if (kept.state == PaymentKeeper::State::Sent) {
        // The same payment again: if the first went through, the service
        // answers with it and charges nothing.
        sendPayment(kept.paymentFields);
        return;
    }
    QLineEdit* const boxes[] = {m_ui->edtCard1, m_ui->edtCard2, m_ui->edtCard3, m_ui->edtCard4,
                                m_ui->edtMoth,  m_ui->edtYear,  m_ui->edtCvv};
    QStringList texts;
    for (QLineEdit* box : boxes)
        texts.append(box->text());
    const CheckoutChecks::Failure failure = CheckoutChecks::checkCard(texts, PaymentRecord::instance());
    if (!failure.passed()) {
        MainWindow::instance()->showMessage(failure.message);
        boxes[failure.field]->setFocus();
        boxes[failure.field]->selectAll();
        return;
    }
    const QUrlQuery fields = paymentFields();
    PaymentKeeper::instance().sent(m_key, fields);
    lockCard(true);
    sendPayment(fields);
}

void CardPaymentDialog::sendPayment(const QUrlQuery& fields)
{
    setWaiting(Waiting::Payment);
    m_server->request(storeEndpoint(QStringLiteral("paymentProcess")), fields);
}

void CardPaymentDialog::on_btnCancel_clicked()
{
    // A reply still on its way is dropped with the dialog's Server; the
    // payment stays kept for the cart.
    reject();
}

void CardPaymentDialog::slt_net_payment(QString reply)
{
    if (m_waiting != Waiting::Payment)
        return;
    m_pastDeadline = false;
    switch (CartReply::outcome(reply)) {
    case CartReply::Outcome::Added:
        approve(CartReply::paymentTime(reply));
        return;
    case CartReply::Outcome::Refused:
        // Refused for sure: nothing was charged, and the member may pay afresh.
        PaymentKeeper::instance().forget(m_key);
        lockCard(false);
        setWaiting(Waiting::Nothing);
        MainWindow::instance()->showMessage(paymentErrorText());
        return;
    case CartReply::Outcome::Unreadable:
        paymentUnclear();
        return;
    }
}

void CardPaymentDialog::slt_net_paymentstate(QString reply)
{
    if (m_waiting != Waiting::Check)
        return;
    switch (PaymentKeeper::verdict(reply)) {
    case PaymentKeeper::Verdict::Waiting:
        sendPurchase();
        return;
    case PaymentKeeper::Verdict::Recorded:
        // Recorded late, after the dialog had stopped waiting for it.
        m_recorded = true;
        PaymentKeeper::instance().forget(m_key);
        setWaiting(Waiting::Nothing);
        MainWindow::instance()->showMessage(tr("Your earlier payment for this cart has been recorded."));
        accept();
        return;
    case PaymentKeeper::Verdict::Gone:
        // Refunded (the cart changed, or it waited too long for its record):
        // nothing is charged any more, and the member pays anew.
        PaymentKeeper::instance().forget(m_key);
        m_approved = false;
        lockCard(false);
        setWaiting(Waiting::Nothing);
        m_ui->edtCard1->setFocus();
        MainWindow::instance()->showMessage(
            tr("Your earlier payment for this cart was refunded. Enter your card to pay again."));
        return;
    case PaymentKeeper::Verdict::Unclear:
        checkFailed();
        return;
    }
}

void CardPaymentDialog::checkFailed()
{
    setWaiting(Waiting::Nothing);
    MainWindow::instance()->showMessage(
        tr("The store could not tell what became of your earlier payment. Press PAY to try again; your card will "
           "not be charged again."));
}

void CardPaymentDialog::approve(qint64 paidAtMs)
{
    PaymentKeeper& keeper = PaymentKeeper::instance();
    const QUrlQuery paid = keeper.payment(m_key).paymentFields;
    // The record's end days count from the payment, as the service names it,
    // so that the same record can be sent again however late.
    const qint64 from = paidAtMs > 0 ? paidAtMs : QDateTime::currentMSecsSinceEpoch();
    keeper.approved(m_key, purchaseEndpoint(), purchaseFields(from), paidAtMs);
    m_approved = true;
    rememberPayment(PaymentRequest::payerOf(paid));
    PaymentRecord::instance().forgetCard();
    lockCard(true);
    sendPurchase();
}

void CardPaymentDialog::rememberPayment(const PaymentRecord& paid)
{
    const auto values = paid.rememberedValues();
    for (const auto& [key, value] : values)
        SettingsStore::setMemberText(key, value);
    SettingsStore::removeMemberKey(PaymentRecord::codeKey());
}

void CardPaymentDialog::sendPurchase()
{
    const PaymentKeeper::Payment kept = PaymentKeeper::instance().payment(m_key);
    setWaiting(Waiting::Purchase);
    m_server->request(storeEndpoint(kept.recordEndpoint), kept.recordFields);
}

void CardPaymentDialog::slt_net_purchase(QString reply)
{
    if (!m_approved || m_recorded)
        return;
    // Success counts whenever it comes, also after the dialog stopped
    // waiting for it; a late failure was told already.
    if (CartReply::outcome(reply) == CartReply::Outcome::Added) {
        m_recorded = true;
        PaymentKeeper::instance().forget(m_key);
        setWaiting(Waiting::Nothing);
        accept();
        return;
    }
    if (m_waiting == Waiting::Purchase)
        purchaseFailed();
}

void CardPaymentDialog::paymentUnclear()
{
    // Perhaps charged: the payment stays kept, and PAY sends it again.
    m_pastDeadline = false;
    setWaiting(Waiting::Nothing);
    MainWindow::instance()->showMessage(paymentErrorText());
    MainWindow::instance()->showMessage(sameAgainText());
}

void CardPaymentDialog::purchaseFailed()
{
    setWaiting(Waiting::Nothing);
    MainWindow::instance()->showMessage(purchaseErrorText());
    MainWindow::instance()->showMessage(paymentKeptText());
}

void CardPaymentDialog::slt_net_error(QString)
{
    switch (m_waiting) {
    case Waiting::Payment:
        paymentUnclear();
        return;
    case Waiting::Purchase:
        purchaseFailed();
        return;
    case Waiting::Check:
        checkFailed();
        return;
    case Waiting::Nothing:
        return;
    }
}
