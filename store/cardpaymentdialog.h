#pragma once

#include <QDialog>
#include <QUrlQuery>

#include <memory>

namespace Ui {
class CqDlgCard;
}
class QLineEdit;
class ReplyDeadline;
class Server;
struct PaymentRecord;

// What the two card dialogs share: the card form with its digit boxes and
// checks, the PAY button's states, and the two steps of paying: the card
// payment, then the purchase record. The payment is kept for the cart in
// PaymentKeeper from the moment it is sent until its purchase is recorded,
// across dialogs and across the product and service checkouts: once sent
// without a clear answer, PAY sends the same payment again; once approved,
// PAY only sends the purchase record again, and the card is never charged a
// second time. A late approval or a late record still counts while the
// dialog is open. The full card number and the code are never stored.
class CardPaymentDialog : public QDialog
{
    Q_OBJECT

public:
    ~CardPaymentDialog() override;

    // Whether the card has been charged for this cart.
    bool paymentApproved() const { return m_approved; }
    // Whether the payment was sent and its answer is still unknown: the
    // card may have been charged.
    bool paymentUnanswered() const;

protected:
    // `keeperKey`: the cart's key in PaymentKeeper; a payment kept under it
    // carries on here.
    CardPaymentDialog(const QString& keeperKey, QWidget* parent);

    // The paymentProcess fields of what is bought.
    virtual QUrlQuery paymentFields() const = 0;
    // The purchase record after an approved payment made at `paidAtMs`:
    // endpoint name and fields.
    virtual QString purchaseEndpoint() const = 0;
    virtual QUrlQuery purchaseFields(qint64 paidAtMs) const = 0;
    // Writes what the member's settings remember of the payment.
    virtual void rememberPayment(const PaymentRecord& paid);

    Server* server() const { return m_server; }

protected slots:
    void on_edtCard1_textChanged(const QString& text);
    void on_edtCard2_textChanged(const QString& text);
    void on_edtCard3_textChanged(const QString& text);
    void on_edtCard4_textChanged(const QString& text);
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
    void slt_net_payment(QString reply);
    void slt_net_purchase(QString reply);
    void slt_net_paymentstate(QString reply);
    void slt_net_error(QString message);

private:
    // Check: asking the service what became of a kept approved payment.
    enum class Waiting { Nothing, Payment, Check, Purchase };

    void advance(const QString& text, QLineEdit* next);
    void lockCard(bool locked);
    void sendPayment(const QUrlQuery& fields);
    void approve(qint64 paidAtMs);
    void sendPurchase();
    void setWaiting(Waiting waiting);
    void paymentUnclear();
    void purchaseFailed();
    void checkFailed();

    std::unique_ptr<Ui::CqDlgCard> m_ui;
    Server* m_server;
    // A step the service never answers ends like a failed one.
    ReplyDeadline* m_deadline;
    QString m_key;
    Waiting m_waiting = Waiting::Nothing;
    bool m_approved = false;
    bool m_recorded = false;
    // The payment is unanswered past the deadline: PAY stays closed, and a
    // late approval still gets its purchase record.
    bool m_pastDeadline = false;
};
