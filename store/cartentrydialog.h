#pragma once

#include <QDialog>
#include <QUrlQuery>

#include <memory>

namespace Ui {
class CqDlgBuy;
}
class ReplyDeadline;
class Server;

// What the two buying dialogs share: the form, and putting one entry into a
// cart on the server. OK sends the entry once, waits for the answer with a
// deadline and accepts when it is in the cart. A refusal ("You have carted
// already.") ends the dialog; an unreadable or missing answer lets the member
// send again.
class CartEntryDialog : public QDialog
{
    Q_OBJECT

public:
    ~CartEntryDialog() override;

protected:
    // `replySignal` is the Server signal that answers `endpoint`.
    CartEntryDialog(const QString& endpoint, const char* replySignal, QWidget* parent);

    // The fields of the request that puts the entry into the cart.
    virtual QUrlQuery entryFields() const = 0;

    Ui::CqDlgBuy* ui() const { return m_ui.get(); }
    // Centres the title and the explanation once their texts are set.
    void centreTexts();
    // Makes the explanation as tall as its text, within limits.
    void fitContent();

protected slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
    void slt_net_checkout(QString reply);
    void slt_net_error(QString message);

private:
    std::unique_ptr<Ui::CqDlgBuy> m_ui;
    Server* m_server;
    ReplyDeadline* m_deadline;
    QString m_endpoint;
    bool m_sent = false;
    // An earlier request got no answer: it may have put the entry in already.
    bool m_earlierUnanswered = false;
};
