#include "store/cardpaymentdialog.h"

#include "account/accountlook.h"
#include "app/server.h"
#include "app/settingsstore.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "store/cartreply.h"
#include "store/checkoutchecks.h"
#include "store/paymentrecord.h"
#include "store/storeendpoint.h"
#include "ui_cqdlgcard.h"

#include <QRegularExpressionValidator>

namespace {

const QString paymentErrorText = QStringLiteral("Payment Error, Something Wrong. Try again.");
const QString purchaseErrorText = QStringLiteral("Something wrong.");
// Said after it: the member must not think the card has to be charged again.
const QString paymentKeptText =
    QStringLiteral("Your payment went through; press PAY to record the purchase. Your card will not be charged again.");
const QString pendingText = QStringLiteral(
    "The payment has not been answered yet. Please wait here: if it goes through, the purchase is recorded and "
    "your card will not be charged twice.");
const QString resumedText = QStringLiteral(
    "Your payment went through already. Press PAY to record the purchase; your card will not be charged again.");

} // namespace

CardPaymentDialog::CardPaymentDialog(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgCard>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    connect(m_server, SIGNAL(sig_net_payment(QString)), this, SLOT(slt_net_payment(QString)));
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
        m_paymentUnanswered = true;
        MainWindow::instance()->showMessage(pendingText);
    });

    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d+")), this);
    const QList<QLineEdit*> boxes = {m_ui->edtCard1, m_ui->edtCard2, m_ui->edtCard3, m_ui->edtCard4,
                                     m_ui->edtMoth,  m_ui->edtYear,  m_ui->edtCvv};
    for (QLineEdit* box : boxes)
        box->setValidator(digits);
    for (int part = 0; part < 4; ++part)
        boxes.at(part)->setAccessibleName(QStringLiteral("Card number, digits %1 to %2").arg(part * 4 + 1).arg(part * 4 + 4));
    m_ui->edtCvv->setEchoMode(QLineEdit::Password);
    m_ui->edtCard1->setFocus();
}

CardPaymentDialog::~CardPaymentDialog() = default;

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

void CardPaymentDialog::resumeApprovedPayment()
{
    m_paymentApproved = true;
    for (QLineEdit* box : {m_ui->edtCard1, m_ui->edtCard2, m_ui->edtCard3, m_ui->edtCard4, m_ui->edtMoth,
                           m_ui->edtYear, m_ui->edtCvv})
        box->setEnabled(false);
    m_ui->btnOk->setFocus();
    MainWindow::instance()->showMessage(resumedText);
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
    m_ui->btnOk->setText(busy ? QStringLiteral("WAIT") : QStringLiteral("PAY"));
}

void CardPaymentDialog::on_btnOk_clicked()
{
    if (m_waiting != Waiting::Nothing)
        return;
    if (m_paymentApproved) {
        // The card was charged already; only the purchase record is missing.
        sendPurchase();
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
    setWaiting(Waiting::Payment);
    m_server->request(storeEndpoint(QStringLiteral("paymentProcess")), paymentFields());
}

void CardPaymentDialog::on_btnCancel_clicked()
{
    // A reply still on its way is dropped with the dialog's Server.
    reject();
}

void CardPaymentDialog::slt_net_payment(QString reply)
{
    if (m_waiting != Waiting::Payment)
        return;
    m_paymentUnanswered = false;
    if (CartReply::outcome(reply) != CartReply::Outcome::Added) {
        setWaiting(Waiting::Nothing);
        MainWindow::instance()->showMessage(paymentErrorText);
        return;
    }
    m_paymentApproved = true;
    rememberPayment();
    PaymentRecord::instance().forgetCard();
    for (QLineEdit* box : {m_ui->edtCard1, m_ui->edtCard2, m_ui->edtCard3, m_ui->edtCard4, m_ui->edtCvv})
        box->setReadOnly(true);
    sendPurchase();
}

void CardPaymentDialog::rememberPayment()
{
    const PaymentRecord& record = PaymentRecord::instance();
    const auto values = record.rememberedValues();
    for (const auto& [key, value] : values)
        SettingsStore::setMemberText(key, value);
    SettingsStore::removeMemberKey(PaymentRecord::codeKey());
}

void CardPaymentDialog::sendPurchase()
{
    setWaiting(Waiting::Purchase);
    m_server->request(storeEndpoint(purchaseEndpoint()), purchaseFields());
}

void CardPaymentDialog::slt_net_purchase(QString reply)
{
    if (m_waiting != Waiting::Purchase)
        return;
    if (CartReply::outcome(reply) == CartReply::Outcome::Added) {
        setWaiting(Waiting::Nothing);
        accept();
        return;
    }
    purchaseFailed();
}

void CardPaymentDialog::purchaseFailed()
{
    setWaiting(Waiting::Nothing);
    MainWindow::instance()->showMessage(purchaseErrorText);
    MainWindow::instance()->showMessage(paymentKeptText);
}

void CardPaymentDialog::slt_net_error(QString)
{
    switch (m_waiting) {
    case Waiting::Payment:
        m_paymentUnanswered = false;
        setWaiting(Waiting::Nothing);
        MainWindow::instance()->showMessage(paymentErrorText);
        return;
    case Waiting::Purchase:
        purchaseFailed();
        return;
    case Waiting::Nothing:
        return;
    }
}
