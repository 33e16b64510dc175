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

// What the two card dialogs share: the card form with its digit boxes and
// checks, the PAY button's states, and the two steps of paying: the card
// payment, then the purchase record. Once a payment is approved it is kept:
// if the record fails, PAY only sends the record again and never charges the
// card a second time. The full card number and the code are never stored.
class CardPaymentDialog : public QDialog
{
    Q_OBJECT

public:
    ~CardPaymentDialog() override;

    // Whether the card has been charged in this dialog.
    bool paymentApproved() const { return m_paymentApproved; }
    // Whether the payment is still unanswered past the reply deadline: the
    // card may have been charged.
    bool paymentUnanswered() const { return m_paymentUnanswered; }

    // The card was charged for the same entries in an earlier run whose
    // record failed: PAY only records the purchase.
    void resumeApprovedPayment();

protected:
    explicit CardPaymentDialog(QWidget* parent);

    // The paymentProcess fields of what is bought.
    virtual QUrlQuery paymentFields() const = 0;
    // The purchase record after an approved payment: endpoint name and fields.
    virtual QString purchaseEndpoint() const = 0;
    virtual QUrlQuery purchaseFields() const = 0;
    // Writes what the member's settings remember of the payment.
    virtual void rememberPayment();

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
    void slt_net_error(QString message);

private:
    enum class Waiting { Nothing, Payment, Purchase };

    void advance(const QString& text, QLineEdit* next);
    void sendPurchase();
    void setWaiting(Waiting waiting);
    void purchaseFailed();

    std::unique_ptr<Ui::CqDlgCard> m_ui;
    Server* m_server;
    // A step the service never answers ends like a failed one.
    ReplyDeadline* m_deadline;
    Waiting m_waiting = Waiting::Nothing;
    bool m_paymentApproved = false;
    // The payment is unanswered past the deadline: PAY stays closed, and a
    // late approval still gets its purchase record.
    bool m_paymentUnanswered = false;
};
